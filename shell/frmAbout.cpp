// The About window's controls, its load step and its two buttons.
#include "shell/frmAbout.h"
#include "platform/MessageBox.h"
#include "platform/SysInfo.h"
#include "shell/ControlLayout.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    const QIcon icon = QApplication::windowIcon().isNull()
                           ? style()->standardIcon(QStyle::SP_ComputerIcon)
                           : QApplication::windowIcon();
    picIcon->setPixmap(icon.pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignTop);

    lblTitle = new QLabel(QStringLiteral("Application Title"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblDescription = new QPlainTextEdit(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setReadOnly(true);
    lblDescription->setFrameShape(QFrame::NoFrame);
    lblDescription->setPlainText(
        QStringLiteral("Configures and tests a serial radio modem: restores its factory defaults, "
                       "sets its channel and operating mode, lists its settings, runs the factory "
                       "radio test, and works as a plain serial terminal."));
    lblDescription->setFixedHeight(64);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addWidget(lblDescription);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(line);
    all->addLayout(buttons);
    setFixedWidth(380);
    layout::announce(picIcon, QStringLiteral("Icon"));
    layout::announce(lblDescription, QStringLiteral("Description"));
    layout::announceCaptions(this);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + kAppTitle);
    lblVersion->setText(QStringLiteral("Version 0.0.1"));
    lblTitle->setText(kAppTitle);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    QString path;
    QString value;
    if (GetKeyValue(kHKeyLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), value)) {
        path = value;
    } else if (GetKeyValue(kHKeyLocalMachine,
                           QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), value) &&
               QFile::exists(value + QStringLiteral("\\MSINFO32.EXE"))) {
        path = value + QStringLiteral("\\MSINFO32.EXE");
    }
    if (!path.isEmpty() && QProcess::startDetached(path, {}))
        return;
    messageBox(this, QStringLiteral("System Information Is Unavailable At This Time"),
               kTitlePrefix + QStringLiteral("System Information"), MsgButtons::Ok);
}
