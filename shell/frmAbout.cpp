// The About window's controls, its load step and its two buttons.
#include "shell/frmAbout.h"
#include "platform/MessageBox.h"
#include "platform/SysInfo.h"
#include "shell/AppIcon.h"
#include "shell/ControlLayout.h"

#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QtMath>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(appIcon().pixmap(kIconSize, kIconSize));
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
    // The description is shown whole: the window sizes it to its text below.
    lblDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

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
    fitDescription();
    layout::announce(picIcon, QStringLiteral("Application icon"));
    layout::announce(lblDescription, QStringLiteral("Description"));
    layout::announceCaptions(this);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    Form_Load();
}

void frmAbout::fitDescription()
{
    // The layout gives the description its width in the window of fixed width; its height is
    // that of its lines laid out at that width, as the text box lays them out.
    layout()->activate();
    const QTextDocument* document = lblDescription->document();
    const qreal margin = document->documentMargin();
    // Without scroll bars the text box shows its text across all of its inner width.
    const qreal lineWidth = lblDescription->contentsRect().width() - 2 * margin;
    qreal height = 2 * margin;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextLayout lines(block.text(), document->defaultFont());
        lines.setTextOption(document->defaultTextOption());
        lines.beginLayout();
        for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth);
            height += line.height();
        }
        lines.endLayout();
    }
    // The text box counts its last line as shown only with a pixel to spare below it.
    const QMargins frame = lblDescription->contentsMargins();
    lblDescription->setFixedHeight(qCeil(height) + 1 + frame.top() + frame.bottom());
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
