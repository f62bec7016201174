// A list whose pick is an action: its handler runs once for each pick or change, never twice.
#include "shell/ListPick.h"
#include "support/DataTable.h"
#include "support/UserInput.h"

#include <QComboBox>
#include <QtTest>

class tst_listpick : public QObject
{
    Q_OBJECT
private slots:
    // Steps: "code:N" selects row N by program, "pick:N" picks row N in the popup, "wheel" turns
    // the wheel one notch toward the user over the closed list. The list starts on row 0.
    void handlerRunsOncePerPick_data()
    {
        addColumns<QStringList, int>({"steps", "runs"});
        QTest::newRow("change by program") << QStringList{"code:2"} << 1;
        QTest::newRow("program selects the shown row") << QStringList{"code:0"} << 0;
        QTest::newRow("pick of the shown entry") << QStringList{"pick:0"} << 1;
        QTest::newRow("pick of another entry") << QStringList{"pick:2"} << 1;
        QTest::newRow("shown entry picked twice") << QStringList{"pick:0", "pick:0"} << 2;
        QTest::newRow("change by program, then pick of the shown entry")
            << QStringList{"code:1", "pick:1"} << 2;
        QTest::newRow("wheel") << QStringList{"wheel"} << 1;
    }
    void handlerRunsOncePerPick()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, runs);
        QWidget window;
        auto* list = new QComboBox(&window);
        list->addItems({QStringLiteral("4"), QStringLiteral("13"), QStringLiteral("22")});
        list->setGeometry(10, 10, 80, 24);
        window.resize(200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int ran = 0;
        connectPick(list, [&ran] { ++ran; });
        for (const QString& step : steps) {
            const int row = step.section(QLatin1Char(':'), 1).toInt();
            if (step.startsWith(QLatin1String("code:")))
                list->setCurrentIndex(row);
            else if (step.startsWith(QLatin1String("pick:")))
                QVERIFY(UserInput::pick(list, row));
            else
                UserInput::wheel(list, -1);
        }
        QCOMPARE(ran, runs);
    }
};

QTEST_MAIN(tst_listpick)
#include "tst_listpick.moc"
