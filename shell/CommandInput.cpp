// The command input: immediate sending as typed, Enter and Backspace, Send Again, the history
// and its recall with Up and Down.
#include "session/UnitSession.h"
#include "shell/MainWin.h"
#include "terminal/LineTerminator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace
{
// Appends a sent line to the history, unless it repeats the last item.
void addToHistory(QComboBox* input, const QString& text)
{
    const int count = input->count();
    if (count > 0 && input->itemText(count - 1) == text)
        return;
    input->addItem(text);
}
} // namespace

void MainWin::CmdInputWin_Change()
{
    if (!CmdSendTypingImmediately->isChecked()) {
        LastTypedText.clear();
        return;
    }
    const QString now = CmdInputWin->currentText();
    // A line picked from the history list was not typed: it becomes the remembered text without
    // being sent, ready for Send Again. Typing, pasting and changes made by the program count as
    // typing.
    const int item = CmdInputWin->currentIndex();
    const bool picked =
        !CmdInputWin->lineEdit()->isModified() && item >= 0 && now == CmdInputWin->itemText(item);
    if (!picked && now.startsWith(LastTypedText))
        Session->SendEscaped(now.mid(LastTypedText.size()).toLatin1());
    LastTypedText = now;
}

void MainWin::CmdInputWin_Keypress(qint16 keyascii)
{
    if (!CmdSendTypingImmediately->isChecked())
        return;
    if (keyascii == 13) {
        Session->SendEscaped(GetEolEscape());
        addToHistory(CmdInputWin, CmdInputWin->currentText());
        CmdHistoryRecall = -1;
        // Emptying the box is no extension of the remembered text, so it sends nothing.
        CmdInputWin->setEditText(QString());
    } else if (keyascii == 8) {
        // The byte 8 itself goes through the decoder: an escape still open is completed first,
        // as by any other character, and then exactly one 0x08 follows.
        Session->SendEscaped(QByteArray(1, '\x08'));
    } else {
        // Typing always appends, so each new character is an extension that gets sent.
        CmdInputWin->lineEdit()->end(false);
    }
}

void MainWin::CmdInputWin_KeyDown(int key)
{
    // After a send, Up starts from the newest line; otherwise Up and Down step from the line
    // last recalled. Down past the newest line leaves an empty box.
    const int count = CmdInputWin->count();
    if (key == Qt::Key_Down && CmdHistoryRecall < 0)
        return;
    const int row =
        (CmdHistoryRecall < 0 ? count : CmdHistoryRecall) + (key == Qt::Key_Up ? -1 : 1);
    if (row < 0)
        return;
    if (row >= count) {
        CmdHistoryRecall = -1;
        CmdInputWin->setEditText(QString());
        return;
    }
    CmdHistoryRecall = row;
    // Shown as the current entry, the line counts as picked from the list: the change handler
    // sends none of it, in immediate sending too.
    CmdInputWin->setCurrentIndex(row);
    if (CmdInputWin->currentText() != CmdInputWin->itemText(row))
        CmdInputWin->setEditText(CmdInputWin->itemText(row));
}

void MainWin::CmdSendTypingImmediately_Click()
{
    if (CmdSendTypingImmediately->isChecked()) {
        // Text already in the box is not sent.
        LastTypedText = CmdInputWin->currentText();
    } else {
        addToHistory(CmdInputWin, LastTypedText);
        CmdHistoryRecall = -1;
        LastTypedText.clear();
    }
}

void MainWin::CmdSendAgainBtn_Click()
{
    const QString text = CmdInputWin->currentText();
    addToHistory(CmdInputWin, text);
    CmdHistoryRecall = -1;
    const QByteArray eol = GetEolEscape();
    Session->MsgWin_Output(QString());
    // The echo shows the escapes as typed, not decoded.
    QString echo = text;
    // The characters that go out as the bytes 128..255 show as those bytes.
    for (QChar& c : echo) {
        if (c.unicode() >= 128 && c.unicode() <= 255)
            c = QChar(static_cast<char16_t>(kPortByteBase + c.unicode()));
    }
    Session->MsgWin_Output(QStringLiteral("Sent: ") + echo + QString::fromLatin1(eol));
    Session->SendEscaped(text.toLatin1() + eol);
}

QByteArray MainWin::GetEolEscape()
{
    return eolEscape(EOL->currentText());
}
