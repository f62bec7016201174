// The log dialog: the run's fields at the top, its log below, Copy and Save to File...
#include "board/RunLogDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace
{
QLabel* fieldValue(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text.left(RunLogDialog::viewLineLimit), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    return label;
}
} // namespace

QString RunLogDialog::viewText(const QString& log)
{
    QString text;
    const QStringView shown = QStringView(log).left(viewLimit);
    text.reserve(shown.size() + shown.size() / viewLineLimit + 128);
    qsizetype lineLength = 0;
    for (const QChar c : shown) {
        if (c == QLatin1Char('\n')) {
            lineLength = 0;
        } else if (++lineLength > viewLineLimit) {
            text += QLatin1Char('\n');
            lineLength = 1;
        }
        text += c;
    }
    if (log.size() > viewLimit)
        text +=
            tr("\n\n[The log holds %1 characters; the view shows the first %2. Copy and Save to "
               "File take the whole log.]")
                .arg(log.size())
                .arg(viewLimit);
    return text;
}

RunLogDialog::RunLogDialog(const RunDetail& detail, QWidget* parent)
    : QDialog(parent), m_log(detail.log)
{
    setObjectName(QStringLiteral("runLog"));
    setWindowTitle(tr("Run log - %1 %2").arg(detail.run, detail.unit.left(64)));
    auto* fields = new QFormLayout;
    const QList<std::pair<QString, QString>> rows{
        {tr("Started"), detail.startedAt}, {tr("Ended"), detail.endedAt},
        {tr("Unit"), detail.unit},         {tr("Station"), detail.station},
        {tr("Run"), detail.run},           {tr("Result"), detail.result},
        {tr("Step"), detail.step},         {tr("Errors"), QString::number(detail.errors)},
        {tr("Firmware"), detail.firmware}, {tr("Configuration"), detail.configuration},
        {tr("Run ID"), detail.runId}};
    for (const auto& [caption, text] : rows) {
        QLabel* value = fieldValue(caption.toLower().remove(QLatin1Char(' ')), text, this);
        auto* label = new QLabel(caption, this);
        label->setBuddy(value);
        value->setAccessibleName(caption);
        fields->addRow(label, value);
    }

    auto* view = new QPlainTextEdit(this);
    view->setObjectName(QStringLiteral("log"));
    view->setAccessibleName(tr("Log"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setPlainText(viewText(m_log));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    QPushButton* save = buttons->addButton(tr("Save to File..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveToFile"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_log); });
    connect(save, &QPushButton::clicked, this, &RunLogDialog::saveToFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The suggested name is made of the store's texts: only characters safe in any file name.
    m_fileName = QStringLiteral("%1-%2").arg(detail.run, detail.runId).left(96);
    for (QChar& c : m_fileName)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    m_fileName += QStringLiteral(".txt");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(view, 1);
    layout->addWidget(buttons);
    resize(900, 640);
}

void RunLogDialog::saveToFile()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Log"), m_fileName, tr("Text files (*.txt)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(m_log.toUtf8());
        if (file.commit())
            return;
    }
    QMessageBox::warning(this, tr("Save Log"),
                         tr("The log could not be saved: %1").arg(file.errorString()));
}
