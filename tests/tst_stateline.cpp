// The test-state line shows its whole text: smaller down to 12 pt, then elided in the middle, while
// its text, accessible value and tool tip stay whole.
#include "shell/StateLine.h"
#include "support/DataTable.h"
#include "support/WindowFixture.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLineEdit>
#include <QtTest>

class tst_stateline : public QObject
{
    Q_OBJECT
private slots:
    void fitting_data();
    void fitting();
    void abortVerdictIsWholeAtTheDesignedSize();
};

void tst_stateline::fitting_data()
{
    addColumns<QString, int, bool, bool>({"text", "width", "shrinks", "elided"});
    QTest::newRow("short text at 24 pt") << "Test Started." << 500 << false << false;
    QTest::newRow("abort verdict")
        << "Test Aborted in Establishing Communication" << 500 << true << false;
    QTest::newRow("far too long") << QString(200, QLatin1Char('w')) + QStringLiteral("END") << 300
                                  << true << true;
    QTest::newRow("no width at all") << "RestoreFactory Completed, 0 errors." << 0 << true << true;
}

void tst_stateline::fitting()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, shrinks);
    QFETCH(bool, elided);
    QFont designed(QStringLiteral("Sans Serif"), 24);
    const FittedText fitted = fitText(text, designed, width);
    QCOMPARE(fitted.font.pointSize() < 24, shrinks);
    QVERIFY(fitted.font.pointSize() >= 12);
    QCOMPARE(fitted.text != text, elided);
    QVERIFY(QFontMetrics(fitted.font).horizontalAdvance(fitted.text) <= qMax(width, 0) ||
            fitted.text.isEmpty());
    if (elided) {
        QCOMPARE(fitted.font.pointSize(), 12);
        if (!fitted.text.isEmpty()) {
            QVERIFY(fitted.text.contains(QChar(0x2026)));
            QCOMPARE(fitted.text.front(), text.front());
        }
    } else if (shrinks) {
        // The largest size that fits: one point more would not.
        QFont larger = fitted.font;
        larger.setPointSize(fitted.font.pointSize() + 1);
        QVERIFY(QFontMetrics(larger).horizontalAdvance(text) > width);
    }
}

void tst_stateline::abortVerdictIsWholeAtTheDesignedSize()
{
    WindowFixture fx;
    auto* line = qobject_cast<StateLine*>(fx.door().TestStateWin());
    QVERIFY(line);
    const QString verdict = QStringLiteral("Test Aborted in Establishing Communication");
    line->setText(verdict);
    QCOMPARE(line->shown().text, verdict);
    QCOMPARE(line->text(), verdict);
    QCOMPARE(line->toolTip(), verdict);
    QCOMPARE(line->font().pointSize(), 24);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(line);
    QVERIFY(spoken);
    QCOMPARE(spoken->text(QAccessible::Value), verdict);
}

QTEST_MAIN(tst_stateline)
#include "tst_stateline.moc"
