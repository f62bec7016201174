// The terminal in the window: message window, typing and Send Again, automatic command mode,
// shortcut buttons and the channel box, checked by the bytes that reach the line.
#include "support/ChildScenario.h"
#include "support/DataTable.h"
#include "support/RunSuite.h"
#include "support/UserInput.h"
#include "terminal/MsgLog.h"
#include "terminal/MsgLogView.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace
{
const QString kPortClosed = QStringLiteral("Hey! Open the Comm Port first!");

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

Qt::Key keyNamed(const QString& name)
{
    static const QMap<QString, Qt::Key> keys{
        {"Home", Qt::Key_Home},     {"End", Qt::Key_End},       {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right},   {"Delete", Qt::Key_Delete}, {"Backspace", Qt::Key_Backspace},
        {"Return", Qt::Key_Return}, {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},
        {"Tab", Qt::Key_Tab}};
    return keys.value(name, Qt::Key_unknown);
}

// Runs in a child process: a reply timer found running while "RTS/Cmd" is clear must end the
// program with the internal-error box before the command goes out.
int runTimerScenario(int argc, char** argv, const QByteArray& scenario)
{
    if (scenario != "timer")
        return 2;
    QApplication app(argc, argv);
    using ChildScenario::print;
    WindowFixture fixture(false);
    fixture.recorder().setObserver([&](const RecordedBox& box) {
        print(QStringLiteral("BOX|%1|%2").arg(box.title, box.text));
    });
    auto line = ScriptedLine::install(fixture.win());
    fixture.door().CommOpenCbox()->setChecked(true);
    line->setCallHook([&](const QString& call) {
        if (call.startsWith(QLatin1String("write")))
            print(QStringLiteral("CALL|") + call);
    });
    fixture.control<QTimer>("CmdReplyTimer")->start(500);
    print(QStringLiteral("READY"));
    fixture.door().CmdMacroByIndexBtn().value(3)->click();
    print(QStringLiteral("RETURNED"));
    return 3;
}
} // namespace

class tst_terminal : public RunSuite
{
    Q_OBJECT

public:
    tst_terminal() : RunSuite(true) {}

private:
    QStringList log() { return fx->logLines(); }

    // Clicks into the input box, which takes the keyboard focus.
    void focusInput()
    {
        UserInput::click(door().CmdInputWin()->lineEdit());
        QTRY_COMPARE(QApplication::focusWidget(), door().CmdInputWin());
    }

    // Actions on the input box, which has the keyboard focus: "t:text" types key by key,
    // "k:Name" presses a key without text ("k:Shift+Name" with Shift), "c:0" clicks before the
    // text, "i:pos:text" inserts at a position without a key (as a drop or a paste with the mouse
    // does), "v:text" pastes with Ctrl+V, "^:X" presses Ctrl and that letter, "p:row" picks that
    // history line in the list that drops down.
    void act(const QString& action)
    {
        const QString arg = action.mid(2);
        QLineEdit* field = door().CmdInputWin()->lineEdit();
        switch (action.at(0).unicode()) {
        case 't':
            UserInput::type(arg);
            break;
        case 'k':
            if (arg.startsWith(QLatin1String("Shift+")))
                UserInput::key(keyNamed(arg.mid(6)), Qt::ShiftModifier);
            else
                UserInput::key(keyNamed(arg));
            break;
        case 'c':
            UserInput::click(field, QPoint(1, field->height() / 2));
            QCOMPARE(field->cursorPosition(), 0);
            break;
        case 'i': {
            const int colon = arg.indexOf(QLatin1Char(':'));
            field->setCursorPosition(arg.left(colon).toInt());
            field->insert(arg.mid(colon + 1));
            break;
        }
        case '^':
            UserInput::key(Qt::Key(Qt::Key_A + arg.at(0).unicode() - 'A'), Qt::ControlModifier);
            break;
        case 'p':
            QVERIFY(UserInput::pick(door().CmdInputWin(), arg.toInt()));
            break;
        case 'v':
            QGuiApplication::clipboard()->setText(arg);
            UserInput::key(Qt::Key_V, Qt::ControlModifier);
            break;
        default:
            QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
        }
    }

private slots:
    void init()
    {
        RunSuite::init();
        activate();
    }

    // --- The message window ---

    void selectionFollowsNewLines()
    {
        win().session().MsgWin_Output(QStringLiteral("a"));
        win().session().MsgWin_Output(QStringLiteral("b"));
        QTRY_COMPARE(door().MsgWin()->currentIndex().row(), 2);
        QTest::qWait(20);
        // A row the user picked stays current while output goes on, completed lines too; back at
        // the end with the End key, the newest line is followed again.
        const QRect first = door().MsgWin()->visualRect(door().MsgWin()->model()->index(0, 0));
        UserInput::click(door().MsgWin()->viewport(), first.center());
        QCOMPARE(door().MsgWin()->currentIndex().row(), 0);
        win().session().MsgWin_OutputChar('x');
        win().session().MsgWin_OutputChar('\n');
        QTest::qWait(60);
        QCOMPARE(door().MsgWin()->currentIndex().row(), 0);
        QCOMPARE(QApplication::focusWidget(), door().MsgWin());
        UserInput::key(Qt::Key_End);
        QCOMPARE(door().MsgWin()->currentIndex().row(), 3);
        win().session().MsgWin_Output(QStringLiteral("c"));
        QTRY_COMPARE(door().MsgWin()->currentIndex().row(), 4);
        QCOMPARE(log(), (QStringList{"a", "b", "x", "c", ""}));
    }

    // However long the log, the newest line is the selected one and in sight; a clear leaves
    // the one empty line, selected, with nothing to scroll.
    void newestLineShownInALongLog_data()
    {
        addColumns<int, bool>({"lines", "hex"});
        QTest::newRow("20,000 lines") << 20000 << false;
        QTest::newRow("a million lines, then bytes in hex") << 1000000 << true;
    }
    void newestLineShownInALongLog()
    {
        QFETCH(int, lines);
        QFETCH(bool, hex);
        for (int i = 0; i < lines; ++i)
            win().session().MsgWin_Output(QString::number(i));
        fx->control<QComboBox>("RxShowMode")->setCurrentIndex(hex ? 1 : 0);
        win().session().MsgWin_OutputCooked(QByteArrayLiteral("AB\r\nC"));
        // The view learns of new lines in batches.
        const QAbstractItemModel* model = door().MsgWin()->model();
        QTRY_COMPARE(model->rowCount(), lines + 2);
        const QModelIndex last = model->index(lines + 1, 0);
        QTRY_COMPARE(door().MsgWin()->currentIndex(), last);
        QTRY_VERIFY(
            door().MsgWin()->viewport()->rect().contains(door().MsgWin()->visualRect(last)));
        QCOMPARE(door().MsgWin()->indexAt(door().MsgWin()->visualRect(last).center()), last);
        QCOMPARE(last.data().toString(), hex ? QStringLiteral("\\43") : QStringLiteral("C"));
        QCOMPARE(model->index(lines, 0).data().toString(),
                 hex ? QStringLiteral("\\41\\42\\0D\\0A") : QStringLiteral("AB"));
        QCOMPARE(door().MsgLines()->line(lines - 1), QString::number(lines - 1));

        win().session().MsgWin_Clear();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(door().MsgWin()->currentIndex().row(), 0);
        QCOMPARE(door().MsgWin()->verticalScrollBar()->maximum(), 0);
        QCOMPARE(log(), QStringList{QString()});
    }

    void displayModeReadOnEveryByte()
    {
        fx->control<QComboBox>("RxShowMode")->setCurrentIndex(1);
        win().session().MsgWin_OutputChar('A');
        fx->control<QComboBox>("RxShowMode")->setCurrentIndex(0);
        win().session().MsgWin_OutputCooked(QByteArrayLiteral("B\\\r\n"));
        fx->control<QComboBox>("RxShowMode")->setCurrentIndex(1);
        win().session().MsgWin_OutputCooked(QByteArrayLiteral("\r\n"));
        QCOMPARE(log(), (QStringList{"\\41B\\\\", "\\0D\\0A", ""}));
    }

    // Where the double click lands in the message window: "line" on the first line, "below"
    // under the last line, "scroll bar" on its scroll bar.
    void doubleClick_data()
    {
        addColumns<QString, bool>({"where", "clears"});
        QTest::newRow("on a line") << "line" << true;
        QTest::newRow("below the last line") << "below" << true;
        QTest::newRow("on the scroll bar") << "scroll bar" << false;
    }
    void doubleClick()
    {
        QFETCH(QString, where);
        QFETCH(bool, clears);
        QAbstractItemView* view = door().MsgWin();
        const int lines = where == QLatin1String("scroll bar") ? 200 : 2;
        for (int i = 0; i < lines; ++i)
            win().session().MsgWin_Output(QString::number(i));
        win().session().MsgWin_OutputCooked(QByteArrayLiteral("open"));
        const QStringList before = log();
        QTRY_COMPARE(view->model()->rowCount(), lines + 1);
        if (where == QLatin1String("line")) {
            UserInput::doubleClick(view->viewport(),
                                   view->visualRect(view->model()->index(0, 0)).center());
        } else if (where == QLatin1String("below")) {
            const QRect last = view->visualRect(view->model()->index(lines, 0));
            QVERIFY(last.bottom() + 10 < view->viewport()->height());
            UserInput::doubleClick(view->viewport(), QPoint(20, last.bottom() + 10));
        } else {
            QVERIFY(view->verticalScrollBar()->isVisible());
            UserInput::doubleClick(view->verticalScrollBar());
        }
        QCOMPARE(log(), clears ? QStringList{QString()} : before);
    }

    void testState_data()
    {
        addColumns<QString, QString, QStringList>({"text", "shown", "lines"});
        QTest::newRow("# logs the rest") << "#Passed"
                                         << "Passed" << QStringList{"Passed", ""};
        QTest::newRow("plain text is only shown") << "Passed"
                                                  << "Passed" << QStringList{""};
        QTest::newRow("# alone logs a blank line") << "#"
                                                   << "" << QStringList{"", ""};
        QTest::newRow("only the first # goes") << "##2"
                                               << "#2" << QStringList{"#2", ""};
    }
    void testState()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QStringList, lines);
        door().TestStateWin_Output(text);
        QCOMPARE(door().TestStateWin()->text(), shown);
        QCOMPARE(log(), lines);
    }

    // --- Typing with immediate sending ---

    void immediate_data()
    {
        addColumns<QString, QStringList, QByteArrayList, QString, QStringList>(
            {"eol", "actions", "writes", "text", "history"});
        using L = QByteArrayList;
        QTest::newRow("each key goes out")
            << "NONE" << QStringList{"t:Hi"} << L{"H", "i"} << "Hi" << QStringList{};
        QTest::newRow("escape typed key by key is one byte")
            << "NONE" << QStringList{"t:\\0d"} << L{"\r"} << "\\0d" << QStringList{};
        QTest::newRow("Enter with NONE sends nothing more")
            << "NONE" << QStringList{"t:ab", "k:Return"} << L{"a", "b"} << "" << QStringList{"ab"};
        QTest::newRow("Enter with CR")
            << "CR" << QStringList{"t:hello", "k:Return"} << L{"h", "e", "l", "l", "o", "\r"} << ""
            << QStringList{"hello"};
        QTest::newRow("Enter twice on the same line keeps one item")
            << "NONE" << QStringList{"t:ab", "k:Return", "t:ab", "k:Return"}
            << L{"a", "b", "a", "b"} << "" << QStringList{"ab"};
        QTest::newRow("Enter on an empty box stores an empty item once")
            << "NONE" << QStringList{"k:Return", "k:Return"} << L{} << "" << QStringList{""};
        QTest::newRow("Backspace sends 8 and nothing for the shortened text")
            << "NONE" << QStringList{"t:ab", "k:Backspace", "t:c"} << L{"a", "b", "\x08", "c"}
            << "ac" << QStringList{};
        QTest::newRow("Backspace after a lone backslash")
            << "NONE" << QStringList{"t:a\\", "k:Backspace"} << L{"a", "\\", "\x08"} << "a"
            << QStringList{};
        QTest::newRow("deleting in the middle sends nothing")
            << "NONE" << QStringList{"t:abc", "k:Home", "k:Right", "k:Delete", "t:d"}
            << L{"a", "b", "c", "d"} << "acd" << QStringList{};
        QTest::newRow("inserting in the middle sends nothing")
            << "NONE" << QStringList{"t:abc", "i:1:Z", "t:d"} << L{"a", "b", "c", "d"} << "aZbcd"
            << QStringList{};
        QTest::newRow("typing always appends") << "NONE" << QStringList{"t:abc", "k:Home", "t:d"}
                                               << L{"a", "b", "c", "d"} << "abcd" << QStringList{};
        QTest::newRow("Home after Backspace, then typing")
            << "NONE" << QStringList{"t:ab", "k:Backspace", "k:Home", "t:Z"}
            << L{"a", "b", "\x08", "Z"} << "aZ" << QStringList{};
        QTest::newRow("typing after a click before the text appends")
            << "NONE" << QStringList{"t:abc", "c:0", "t:Z"} << L{"a", "b", "c", "Z"} << "abcZ"
            << QStringList{};
        QTest::newRow("pasting sends the pasted characters")
            << "NONE" << QStringList{"t:a", "k:Home", "v:X\\41"} << L{"a", "X", "A"} << "aX\\41"
            << QStringList{};
        QTest::newRow("a copied selection pastes at the end")
            << "NONE" << QStringList{"t:ab", "^:A", "^:C", "^:V"} << L{"a", "b", "a", "b"} << "abab"
            << QStringList{};
        QTest::newRow("picking a history line does not send it")
            << "NONE" << QStringList{"t:one", "k:Return", "t:two", "k:Return", "k:Up", "t:!"}
            << L{"o", "n", "e", "t", "w", "o", "!"} << "two!" << QStringList{"one", "two"};
        QTest::newRow("Delete in the middle edits and sends nothing")
            << "NONE" << QStringList{"t:xyz", "k:Left", "k:Left", "k:Delete"} << L{"x", "y", "z"}
            << "xz" << QStringList{};
        QTest::newRow("Shift+Home selects, Delete removes the selection")
            << "NONE" << QStringList{"t:xyz", "k:Left", "k:Shift+Home", "k:Delete", "t:!"}
            << L{"x", "y", "z", "!"} << "z!" << QStringList{};
        QTest::newRow("Up recalls the newest line, then older ones")
            << "NONE" << QStringList{"t:one", "k:Return", "t:two", "k:Return", "k:Up", "k:Up"}
            << L{"o", "n", "e", "t", "w", "o"} << "one" << QStringList{"one", "two"};
        QTest::newRow("Up stops at the oldest line")
            << "NONE" << QStringList{"t:one", "k:Return", "k:Up", "k:Up"} << L{"o", "n", "e"}
            << "one" << QStringList{"one"};
        QTest::newRow("Down goes back towards the newest line")
            << "NONE"
            << QStringList{"t:one", "k:Return", "t:two", "k:Return", "k:Up", "k:Up", "k:Down"}
            << L{"o", "n", "e", "t", "w", "o"} << "two" << QStringList{"one", "two"};
        QTest::newRow("Down past the newest line empties the box")
            << "NONE" << QStringList{"t:one", "k:Return", "k:Up", "k:Down", "t:a"}
            << L{"o", "n", "e", "a"} << "a" << QStringList{"one"};
        QTest::newRow("after a send Up starts from the newest line again")
            << "NONE" << QStringList{"t:one", "k:Return", "t:two",    "k:Return",
                                     "k:Up",  "k:Up",     "k:Return", "k:Up"}
            << L{"o", "n", "e", "t", "w", "o"} << "one" << QStringList{"one", "two", "one"};
        QTest::newRow("picking the current history line from the list does not send it")
            << "NONE" << QStringList{"t:one", "k:Return", "p:0", "t:!"} << L{"o", "n", "e", "!"}
            << "one!" << QStringList{"one"};
        QTest::newRow("typing the start of a history line sends only what is typed")
            << "NONE" << QStringList{"t:hello", "k:Return", "t:he"}
            << L{"h", "e", "l", "l", "o", "h", "e"} << "he" << QStringList{"hello"};
    }
    void immediate()
    {
        QFETCH(QString, eol);
        QFETCH(QStringList, actions);
        QFETCH(QByteArrayList, writes);
        QFETCH(QString, text);
        QFETCH(QStringList, history);
        openScriptedClean();
        QVERIFY(fx->control<QCheckBox>("CmdSendTypingImmediately")->isChecked());
        fx->control<QComboBox>("EOL")->setEditText(eol);
        focusInput();
        for (const QString& action : actions)
            act(action);
        QCOMPARE(line->writes(), writes);
        QCOMPARE(door().CmdInputWin()->currentText(), text);
        QCOMPARE(itemsOf(door().CmdInputWin()), history);
        QCOMPARE(door().LastTypedText(), text);
        // Immediate sending writes no echo lines.
        QCOMPARE(log(), QStringList{QString()});
    }

    void immediateOff()
    {
        openScriptedClean();
        fx->control<QCheckBox>("CmdSendTypingImmediately")->setChecked(false);
        focusInput();
        UserInput::type(QStringLiteral("ab\\0d"));
        UserInput::key(Qt::Key_Return);
        UserInput::key(Qt::Key_Backspace);
        QCOMPARE(line->writes(), QByteArrayList{});
        QCOMPARE(door().LastTypedText(), QString());
        QCOMPARE(door().CmdInputWin()->currentText(), QStringLiteral("ab\\0"));
        // Ticking again takes the box's text as already sent.
        fx->control<QCheckBox>("CmdSendTypingImmediately")->setChecked(true);
        UserInput::type(QStringLiteral("x"));
        QCOMPARE(line->writes(), QByteArrayList{"x"});
    }

    // --- Send Again ---

    // Each press in "presses" sends the text with the terminator; "sent" lists what each press
    // wrote in total (every byte is its own write).
    void sendAgain_data()
    {
        addColumns<QString, QStringList, QByteArrayList, QString>(
            {"eol", "presses", "sent", "echo"});
        using L = QByteArrayList;
        QTest::newRow("NONE") << "NONE" << QStringList{"Hello"} << L{"Hello"} << "Sent: Hello";
        QTest::newRow("CR") << "CR" << QStringList{"Hello"} << L{"Hello\r"} << "Sent: Hello\\0d";
        QTest::newRow("CRLF") << "CRLF" << QStringList{"Hello"} << L{"Hello\r\n"}
                              << "Sent: Hello\\0d\\0a";
        QTest::newRow("escape item")
            << "\\0d\\0a" << QStringList{"Hello"} << L{"Hello\r\n"} << "Sent: Hello\\0d\\0a";
        QTest::newRow("typed terminator") << ";" << QStringList{"Hi"} << L{"Hi;"} << "Sent: Hi;";
        QTest::newRow("escapes and backslashes")
            << "NONE" << QStringList{"\\41\\\\\\x"} << L{"A\\\\x"} << "Sent: \\41\\\\\\x";
        QTest::newRow("trailing backslash eats the CR")
            << "CR" << QStringList{"AB\\"} << L{"AB\\0d"} << "Sent: AB\\\\0d";
        QTest::newRow("open escape completed by the next press")
            << "NONE" << QStringList{"ABC\\4", "1"} << L{"ABC", "A"} << "Sent: 1";
        QTest::newRow("Latin-1 text") << "NONE" << QStringList{"\u00e9t\u00e9"} << L{"\xe9t\xe9"}
                                      << QStringLiteral("Sent: ") + portText("\xe9t\xe9");
    }
    void sendAgain()
    {
        QFETCH(QString, eol);
        QFETCH(QStringList, presses);
        QFETCH(QByteArrayList, sent);
        QFETCH(QString, echo);
        openScriptedClean();
        // Send Again works in either mode; with immediate sending off, setting the text sends
        // nothing by itself.
        fx->control<QCheckBox>("CmdSendTypingImmediately")->setChecked(false);
        fx->control<QComboBox>("EOL")->setEditText(eol);
        for (int i = 0; i < presses.size(); ++i) {
            line->clearRecord();
            door().CmdInputWin()->setEditText(presses.at(i));
            UserInput::click(fx->control<QPushButton>("CmdSendAgainBtn"));
            QCOMPARE(line->written(), sent.at(i));
            QCOMPARE(line->writes().size(), sent.at(i).size());
            QCOMPARE(door().CmdInputWin()->currentText(), presses.at(i));
        }
        const QStringList lines = log();
        QCOMPARE(lines.mid(lines.size() - 3), (QStringList{"", echo, ""}));
    }

    // With the port closed every character or decoded byte is reported on its own.
    void portClosed()
    {
        focusInput();
        UserInput::type(QStringLiteral("AB"));
        QCOMPARE(log(), (QStringList{kPortClosed, kPortClosed, ""}));
        win().session().MsgWin_Clear();
        fx->control<QCheckBox>("CmdSendTypingImmediately")->setChecked(false);
        door().CmdInputWin()->setEditText(QStringLiteral("AB"));
        fx->control<QPushButton>("CmdSendAgainBtn")->click();
        QCOMPARE(log(), (QStringList{"", "Sent: AB", kPortClosed, kPortClosed, ""}));
    }

    // --- History ---

    // Steps: "again:text" presses Send Again with that text, "enter:text" types it and presses
    // Enter, "type:text" only types it, "untick" / "tick" the immediate-sending box.
    void history_data()
    {
        addColumns<QStringList, QStringList>({"steps", "items"});
        QTest::newRow("no repeat of the last item")
            << QStringList{"again:a", "again:a", "again:b", "again:a"}
            << QStringList{"a", "b", "a"};
        QTest::newRow("Enter and Send Again share the history")
            << QStringList{"enter:ab", "again:ab", "enter:cd"} << QStringList{"ab", "abcd"};
        QTest::newRow("unticking stores the typed line")
            << QStringList{"type:xy", "untick"} << QStringList{"xy"};
        QTest::newRow("unticking with an empty box stores an empty item")
            << QStringList{"untick"} << QStringList{""};
        QTest::newRow("unticking again adds no second empty item")
            << QStringList{"untick", "tick", "untick"} << QStringList{""};
        QTest::newRow("Send Again with an empty box")
            << QStringList{"again:", "again:"} << QStringList{""};
    }
    void history()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, items);
        openScriptedClean();
        focusInput();
        for (const QString& step : steps) {
            const QString arg = step.section(QLatin1Char(':'), 1);
            if (step.startsWith(QLatin1String("again:"))) {
                door().CmdInputWin()->setEditText(arg);
                fx->control<QPushButton>("CmdSendAgainBtn")->click();
            } else if (step.startsWith(QLatin1String("enter:"))) {
                UserInput::type(arg);
                UserInput::key(Qt::Key_Return);
            } else if (step.startsWith(QLatin1String("type:"))) {
                UserInput::type(arg);
            } else {
                fx->control<QCheckBox>("CmdSendTypingImmediately")
                    ->setChecked(step == QLatin1String("tick"));
            }
        }
        QCOMPARE(itemsOf(door().CmdInputWin()), items);
    }

    // --- Automatic command mode ---

    void autoCommandMode()
    {
        openScriptedClean();
        // Shared with the hook, which the line keeps after this function returns.
        struct Timed {
            QElapsedTimer clock;
            QList<QPair<qint64, QString>> calls;
        };
        auto timed = std::make_shared<Timed>();
        line->setCallHook([timed](const QString& call) {
            timed->calls.append({timed->clock.elapsed(), call});
        });
        timed->clock.start();
        const auto& calls = timed->calls;
        door().CmdMacroByIndexBtn().value(3)->click();
        QVERIFY(door().CmdRTSCbox()->isChecked());
        QTest::qWait(300);
        door().CmdMacroByIndexBtn().value(0)->click();
        const qint64 secondSent = calls.isEmpty() ? 0 : calls.last().first;
        QTRY_VERIFY_WITH_TIMEOUT(!door().CmdRTSCbox()->isChecked(), 5000);
        QVERIFY(!line->rts());
        QVERIFY(!fx->control<QTimer>("CmdReplyTimer")->isActive());

        QStringList rtsAndWrites;
        qint64 offAt = -1;
        for (const auto& [at, call] : calls) {
            if (call.startsWith(QLatin1String("rts")) || call.startsWith(QLatin1String("write")))
                rtsAndWrites.append(call);
            if (call == QLatin1String("rts 0"))
                offAt = at;
        }
        // Command mode once, both commands in it, then back to data mode.
        QCOMPARE(rtsAndWrites, (QStringList{"rts 1", "write ?", "write Tn", "rts 0"}));
        // The second command restarted the count: data mode comes 500 ms after it, not after
        // the first (a timer may fire a little early, hence the margin).
        QVERIFY2(offAt - secondSent >= 450,
                 qPrintable(QStringLiteral("off %1 ms after the second").arg(offAt - secondSent)));
    }

    void userCommandModeStaysOn()
    {
        openScriptedClean();
        door().CmdRTSCbox()->setChecked(true);
        line->clearRecord();
        door().CmdMacroByIndexBtn().value(3)->click();
        QVERIFY(!fx->control<QTimer>("CmdReplyTimer")->isActive());
        QTest::qWait(300);
        door().CmdMacroByIndexBtn().value(7)->click();
        QTest::qWait(700);
        QVERIFY(door().CmdRTSCbox()->isChecked());
        QVERIFY(line->rts());
        QCOMPARE(line->callsMatching({"rts", "write"}), (QStringList{"write ?", "write Ds"}));
    }

    void timerRunningWithBoxClearEndsProgram()
    {
        const ChildScenario::Outcome child = ChildScenario::run("timer");
        QVERIFY(child.finished);
        const QStringList& output = child.output;
        const int ready = output.indexOf(QStringLiteral("READY"));
        QVERIFY2(ready >= 0, qPrintable(output.join('\n')));
        QVERIFY(!child.crashed);
        // The box, and nothing written: the command never went out.
        QCOMPARE(output.mid(ready + 1),
                 QStringList{"BOX|Modem Config - Internal Error|Oops! An Internal Error Occurred: "
                             "CmdRTSCbox=0 but CmdReplyTimer running"});
    }

    // --- Shortcut buttons ---

    void shortcutButtons_data()
    {
        addColumns<int, QByteArray>({"index", "command"});
        QTest::newRow("Tx Pwr On") << 0 << QByteArray("Tn");
        QTest::newRow("Tx Pwr Off") << 1 << QByteArray("Tf");
        QTest::newRow("Set Ch.") << 2 << QByteArray("C1");
        QTest::newRow("Query") << 3 << QByteArray("?");
        QTest::newRow("Config") << 4 << QByteArray("**Fe");
        QTest::newRow("Enb.Ext.Ch") << 5 << QByteArray("Eq5vn");
        QTest::newRow("Save Current Settings") << 7 << QByteArray("Ds");
    }
    void shortcutButtons()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, command);
        openScriptedClean();
        line->setResponder([this](const QByteArray& written) {
            // The two lines are already there when the command goes out.
            QCOMPARE(log(), (QStringList{"", "Sent: " + QString::fromLatin1(written), ""}));
        });
        UserInput::click(door().CmdMacroByIndexBtn().value(index));
        QCOMPARE(line->writes(), QByteArrayList{command});
        QCOMPARE(log(), (QStringList{"", "Sent: " + QString::fromLatin1(command), ""}));
        QVERIFY(line->rts());
    }

    void shortcutPortClosed()
    {
        door().CmdMacroByIndexBtn().value(4)->click();
        QCOMPARE(log(), (QStringList{"", "Sent: **Fe", kPortClosed, ""}));
        QVERIFY(!door().CmdRTSCbox()->isChecked());
        QVERIFY(fx->boxes().isEmpty());
    }

    // --- Channel selector ---

    void channelAtStartUp()
    {
        QCOMPARE(door().UpDown().value(3)->value(), 1);
        QCOMPARE(door().UpDownWin().value(3)->text(), QStringLiteral("1 (1)"));
    }

    void channelTyped_data()
    {
        addColumns<QString, QString, QByteArray>({"typed", "shown", "command"});
        QTest::newRow("A") << "A"
                           << "17 (A)" << QByteArray("CA");
        QTest::newRow(":") << ":"
                           << "10 (:)" << QByteArray("C:");
        QTest::newRow("0") << "0"
                           << "1 (1)" << QByteArray("C1");
        QTest::newRow("99") << "99"
                            << "40 (X)" << QByteArray("CX");
        QTest::newRow("abc") << "abc"
                             << "1 (1)" << QByteArray("C1");
        QTest::newRow("7") << "7"
                           << "7 (7)" << QByteArray("C7");
    }
    void channelTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, command);
        openScriptedClean();
        QLineEdit* box = door().UpDownWin().value(3);
        door().UpDown().value(3)->setValue(5);
        QCOMPARE(box->text(), QStringLiteral("5 (5)"));
        // Clicking into the box selects its text, so typing replaces it.
        UserInput::click(box);
        QTRY_VERIFY(box->hasFocus());
        QTRY_COMPARE(box->selectedText(), QStringLiteral("5 (5)"));
        UserInput::type(typed);
        QCOMPARE(box->text(), typed);
        // Pressing "Set Ch." takes the focus first, so the typed channel is what goes out.
        UserInput::click(door().CmdMacroByIndexBtn().value(2));
        QCOMPARE(box->text(), shown);
        QCOMPARE(line->writes(), QByteArrayList{command});
        QCOMPARE(log().value(1), "Sent: " + QString::fromLatin1(command));
    }

    // The channel box holds 5 (5); "typed" is typed into it, then the spinner is turned by
    // "action": "upper" / "lower" clicks that arrow, "away" / "toward" turns the wheel over the
    // spinner one notch, "Up" / "Down" presses the key in the box, "Tab Up" presses Tab and then
    // Up, which reaches the spinner itself.
    void channelStepped_data()
    {
        addTextRows({"typed", "action", "shown"},
                    {{"upper arrow raises", "", "upper", "6 (6)"},
                     {"lower arrow lowers", "", "lower", "4 (4)"},
                     {"wheel away raises", "", "away", "6 (6)"},
                     {"wheel toward lowers", "", "toward", "4 (4)"},
                     {"Up in the box raises", "", "Up", "6 (6)"},
                     {"spinner reached by Tab", "", "Tab Up", "6 (6)"},
                     {"typed, then upper arrow", "20", "upper", "21 (E)"},
                     {"typed, then lower arrow", "20", "lower", "19 (C)"},
                     {"typed, then wheel", "20", "away", "21 (E)"},
                     {"typed, then Down", "20", "Down", "19 (C)"},
                     {"typed character, then Up", "A", "Up", "18 (B)"},
                     {"top stays", "40", "upper", "40 (X)"}});
    }
    void channelStepped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, action);
        QFETCH(QString, shown);
        QLineEdit* box = door().UpDownWin().value(3);
        QScrollBar* spinner = door().UpDown().value(3);
        spinner->setValue(5);
        UserInput::click(box);
        QTRY_VERIFY(box->hasFocus());
        UserInput::type(typed);
        const int middle = spinner->width() / 2;
        if (action == QLatin1String("upper"))
            UserInput::click(spinner, QPoint(middle, 3));
        else if (action == QLatin1String("lower"))
            UserInput::click(spinner, QPoint(middle, spinner->height() - 4));
        else if (action == QLatin1String("away"))
            UserInput::wheel(spinner, 1);
        else if (action == QLatin1String("toward"))
            UserInput::wheel(spinner, -1);
        else
            for (const QString& key : action.split(QLatin1Char(' ')))
                UserInput::key(keyNamed(key));
        QCOMPARE(box->text(), shown);
        QCOMPARE(spinner->value(), shown.section(QLatin1Char(' '), 0, 0).toInt());
    }

    // Turning the wheel over an editable list whose list is closed leaves its text alone.
    void wheelOverEditableList_data()
    {
        addTextRows({"name", "text"}, {{"command input", "CmdInputWin", "typed"},
                                       {"line terminator", "EOL", "CR"},
                                       {"port", "CommPort", "COM1"},
                                       {"format", "CommFormat", "N,8,1"}});
    }
    void wheelOverEditableList()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* combo = fx->control<QComboBox>(name);
        QVERIFY(combo);
        // The input box's history: the wheel would bring up one of these lines.
        door().CmdInputWin()->addItems({QStringLiteral("old"), QStringLiteral("older")});
        door().CmdInputWin()->setEditText(QStringLiteral("typed"));
        fx->control<QComboBox>("EOL")->setCurrentIndex(1);
        // Over the text and over the arrow at the right end.
        for (const QPoint at : {combo->rect().center(), QPoint(combo->width() - 6, 6)}) {
            for (const int notches : {1, -1, -1})
                UserInput::wheel(combo, notches, at);
        }
        QCOMPARE(combo->currentText(), text);
    }

    void spinnerWritesTheBox_data()
    {
        addColumns<int, QString>({"value", "shown"});
        QTest::newRow("5") << 5 << "5 (5)";
        QTest::newRow("40") << 40 << "40 (X)";
    }
    void spinnerWritesTheBox()
    {
        QFETCH(int, value);
        QFETCH(QString, shown);
        door().UpDown().value(3)->setValue(value);
        QCOMPARE(door().UpDownWin().value(3)->text(), shown);
    }
};

int main(int argc, char** argv)
{
    return ChildScenario::main<tst_terminal>(argc, argv, runTimerScenario);
}

#include "tst_terminal.moc"
