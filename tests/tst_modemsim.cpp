// The simulated modem's parts that need no clock: command language, line, partner.
#include "modemsim/LineTiming.h"
#include "modemsim/LoopbackPartner.h"
#include "modemsim/ModemCommands.h"
#include "modemsim/TimedByteQueue.h"
#include "support/DataTable.h"

#include <QRegularExpression>
#include <QtTest>

namespace
{

// Feeds the input one character at a time; one reply (often empty) per character.
QByteArrayList takeEach(CommandInterpreter& interpreter, ModemUnit& unit, const QByteArray& input)
{
    QByteArrayList replies;
    for (const char c : input)
        replies.append(interpreter.take(c, unit));
    return replies;
}

QByteArray takeAll(ModemUnit& unit, const QByteArray& input)
{
    CommandInterpreter interpreter;
    return takeEach(interpreter, unit, input).join();
}

// The first answer the input brings, as a sender that stops at the first answer sees it.
QByteArray firstReply(ModemUnit& unit, const QByteArray& input)
{
    CommandInterpreter interpreter;
    for (const QByteArray& reply : takeEach(interpreter, unit, input))
        if (!reply.isEmpty())
            return reply;
    return {};
}

// The value of one line of the "?" listing ("Channel ....... 22 (F)" gives "22 (F)").
QByteArray listingValue(const QByteArray& listing, const QByteArray& label)
{
    const QRegularExpression pattern(
        QStringLiteral("^%1 \\.* (.*)\r$").arg(QRegularExpression::escape(QLatin1String(label))),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(listing));
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray("(no such line)");
}

LineSettings line(qint32 baud, char parity = 'N', int dataBits = 8, int stopBits = 1)
{
    return LineSettings{baud, parity, dataBits, stopBits};
}

} // namespace

class tst_modemsim : public QObject
{
    Q_OBJECT

private slots:
    void matchesCommands_data()
    {
        addColumns<QByteArray, bool, int>({"text", "newFirmware", "match"});
        const int prefix = int(CommandMatch::Prefix);
        const int complete = int(CommandMatch::Complete);
        const int invalid = int(CommandMatch::Invalid);
        QTest::newRow("probe") << QByteArray(" ") << true << invalid;
        QTest::newRow("V") << QByteArray("V") << true << complete;
        QTest::newRow("S") << QByteArray("S") << true << prefix;
        QTest::newRow("*") << QByteArray("*") << true << prefix;
        QTest::newRow("Eq5v") << QByteArray("Eq5v") << true << prefix;
        QTest::newRow("Eq5vn") << QByteArray("Eq5vn") << true << complete;
        QTest::newRow("C") << QByteArray("C") << true << prefix;
        QTest::newRow("channel 1") << QByteArray("C1") << true << complete;
        QTest::newRow("channel 40 (X)") << QByteArray("CX") << true << complete;
        QTest::newRow("channel 0") << QByteArray("C0") << true << invalid;
        QTest::newRow("channel 41 (Y)") << QByteArray("CY") << true << invalid;
        QTest::newRow("W + NUL") << QByteArray("W\0", 2) << false << complete;
        QTest::newRow("PX") << QByteArray("PX") << true << invalid;
        QTest::newRow("Y new") << QByteArray("Y") << true << prefix;
        QTest::newRow("Y old") << QByteArray("Y") << false << invalid;
        QTest::newRow("R old") << QByteArray("R") << false << prefix;
        QTest::newRow("three characters") << QByteArray("Tnn") << true << invalid;
    }
    void matchesCommands()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, newFirmware);
        QFETCH(int, match);
        QCOMPARE(int(matchCommand(text, newFirmware)), match);
    }

    void answersCharacterByCharacter_data()
    {
        addColumns<QByteArray, QByteArrayList>({"input", "replies"});
        const QByteArray ok = kModemOK;
        const QByteArray er = kModemER;
        QTest::newRow("probe at once") << QByteArray(" ") << QByteArrayList{er};
        QTest::newRow("two characters, one reply") << QByteArray("Tn") << QByteArrayList{"", ok};
        QTest::newRow("five characters")
            << QByteArray("Eq5vn") << QByteArrayList{"", "", "", "", ok};
        QTest::newRow("error as soon as no command fits")
            << QByteArray("EqX") << QByteArrayList{"", "", er};
        QTest::newRow("starts over after an error")
            << QByteArray("TVS?") << QByteArrayList{"", er, "", "Base"};
        QTest::newRow("each unknown character") << QByteArray("Zq") << QByteArrayList{er, er};
        QTest::newRow("terminator after a command")
            << QByteArray("Ds\r\n") << QByteArrayList{"", ok, er, er};
        QTest::newRow("config preamble") << QByteArray("**Fe") << QByteArrayList{"", ok, "", ok};
    }
    void answersCharacterByCharacter()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArrayList, replies);
        ModemUnit unit;
        CommandInterpreter interpreter;
        QCOMPARE(takeEach(interpreter, unit, input), replies);
        QCOMPARE(interpreter.pending(), QByteArray());
    }

    void firmwareDecidesTheCommandSet_data()
    {
        addColumns<QByteArray, QByteArray, QByteArray>({"firmware", "command", "reply"});
        const QByteArray newOnly[] = {"Ya", "Yl", "Rn", "Rf", "P0", "Wp"};
        for (const QByteArray& command : newOnly) {
            QTest::addRow("%s on 1.22", command.constData())
                << QByteArray("1.22") << command << kModemER;
            QTest::addRow("%s on 1.23", command.constData())
                << QByteArray("1.23") << command << kModemOK;
        }
        const QByteArray both[] = {"Ra", "Rl", "PN", "W0"};
        for (const QByteArray& command : both)
            QTest::addRow("%s on 1.10", command.constData())
                << QByteArray("1.10") << command << kModemOK;
        QTest::newRow("no number is old") << QByteArray("beta") << QByteArray("Ya") << kModemER;
    }
    void firmwareDecidesTheCommandSet()
    {
        QFETCH(QByteArray, firmware);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        ModemUnit unit;
        unit.firmware = firmware;
        QCOMPARE(firstReply(unit, command), reply);
    }

    void firmwareNumber_data()
    {
        addColumns<QByteArray, double, bool>({"text", "number", "newCommands"});
        QTest::newRow("1.30") << QByteArray("1.30") << 1.30 << true;
        QTest::newRow("1.22") << QByteArray("1.22") << 1.22 << false;
        QTest::newRow("suffix") << QByteArray("1.25b") << 1.25 << true;
        QTest::newRow("letter first") << QByteArray("v1.30") << 0.0 << false;
        QTest::newRow("empty") << QByteArray() << 0.0 << false;
    }
    void firmwareNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, number);
        QFETCH(bool, newCommands);
        QCOMPARE(::firmwareNumber(text), number);
        QCOMPARE(knowsNewCommands(text), newCommands);
    }

    void commandsChangeTheSettings_data()
    {
        addColumns<QByteArray, ModemSettings>({"input", "expected"});
        ModemSettings s;
        s.channel = 22;
        QTest::newRow("CF is channel 22") << QByteArray("CF") << s;
        s = ModemSettings();
        s.channel = 40;
        QTest::newRow("channel 40") << QByteArray("CX") << s;
        s = ModemSettings();
        QTest::newRow("channel out of range changes nothing") << QByteArray("CY") << s;
        s.mobile = true;
        s.transmitterOn = false;
        QTest::newRow("station and transmitter") << QByteArray("SmTf") << s;
        s = ModemSettings();
        s.power = 'L';
        s.mode = 'c';
        s.a = 'f';
        s.f = 'e';
        s.w = '0';
        QTest::newRow("teamboard codes") << QByteArray("PLMcAfFeW0") << s;
        s = ModemSettings();
        s.w = 0;
        s.extendedChannels = true;
        s.options = {"Rf", "Ya", "Yl"};
        QTest::newRow("options sorted, once") << QByteArray("YlRfYaEq5vnYl") << s;
        s = ModemSettings();
        QTest::newRow("factory restore") << QByteArray("CASmTfMbDr") << s;
        QTest::newRow("queries change nothing") << QByteArray("V?S?**Df") << s;
    }
    void commandsChangeTheSettings()
    {
        QFETCH(QByteArray, input);
        QFETCH(ModemSettings, expected);
        ModemUnit unit;
        takeAll(unit, input);
        QCOMPARE(unit.current, expected);
        QCOMPARE(unit.eeprom, ModemSettings());
    }

    void listingShowsTheSettings()
    {
        ModemUnit unit;
        takeAll(unit, "CFSmDsTf");
        const QByteArray reply = takeAll(unit, "?");
        QVERIFY(reply.endsWith(kModemOK));
        const QByteArray listing = reply.chopped(kModemOK.size());
        QCOMPARE(listing, settingsListing(unit));
        QVERIFY(listing.count("\r\n") >= 8);
        // About 0.2 to 0.5 s at 9600 baud, and within the configurator's 512-byte reply buffer.
        QVERIFY2(reply.size() > 200 && reply.size() < 500, QByteArray::number(reply.size()));
        QCOMPARE(listingValue(listing, "Channel"), QByteArray("22 (F)"));
        QCOMPARE(listingValue(listing, "Station"), QByteArray("Mobile"));
        QCOMPARE(listingValue(listing, "Firmware version"), QByteArray("1.30"));
        QCOMPARE(listingValue(listing, "Transmitter"), QByteArray("off"));
        QCOMPARE(listingValue(listing, "Settings"), QByteArray("not saved"));
        takeAll(unit, "Ds");
        QCOMPARE(listingValue(settingsListing(unit), "Settings"), QByteArray("saved"));
    }

    void overridesReplaceTheAnswer_data()
    {
        addColumns<QByteArray, QByteArray, QByteArray, QByteArray, int>(
            {"command", "reply", "input", "replies", "channel"});
        QTest::newRow("error for a known command")
            << QByteArray("CA") << kModemER << QByteArray("CA") << kModemER << 1;
        QTest::newRow("no answer")
            << QByteArray("Fx") << QByteArray() << QByteArray("FxC5") << kModemOK << 5;
        QTest::newRow("a new command") << QByteArray("Zz9") << QByteArray("yes")
                                       << QByteArray("Zz9Q") << QByteArray("yes" + kModemER) << 1;
    }
    void overridesReplaceTheAnswer()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, replies);
        QFETCH(int, channel);
        ModemUnit unit;
        CommandInterpreter interpreter;
        interpreter.setReplyOverride(command, reply);
        QCOMPARE(takeEach(interpreter, unit, input).join(), replies);
        QCOMPARE(unit.current.channel, channel);
        interpreter.clearReplyOverrides();
        QCOMPARE(takeEach(interpreter, unit, "Fx").join(), kModemOK);
    }

    void receiverReadsAMatchingLine_data()
    {
        addColumns<LineSettings, int>({"settings", "mask"});
        QTest::newRow("9600,N,8,1") << line(9600) << 0xFF;
        QTest::newRow("19200,E,8,1") << line(19200, 'E') << 0xFF;
        QTest::newRow("7 data bits") << line(9600, 'E', 7) << 0x7F;
    }
    void receiverReadsAMatchingLine()
    {
        QFETCH(LineSettings, settings);
        QFETCH(int, mask);
        LineReceiver receiver;
        for (int b = 0; b < 256; ++b) {
            const ReceivedByte r = receiver.receive(quint8(b), settings, settings);
            QCOMPARE(int(r.byte), b & mask);
            QVERIFY(!r.frameError);
        }
    }

    void receiverGarblesAMismatchedLine_data()
    {
        addColumns<LineSettings, LineSettings>({"sender", "receiver"});
        QTest::newRow("rate") << line(9600) << line(19200);
        QTest::newRow("parity") << line(9600) << line(9600, 'E');
        QTest::newRow("stop bits") << line(9600) << line(9600, 'N', 8, 2);
    }
    void receiverGarblesAMismatchedLine()
    {
        QFETCH(LineSettings, sender);
        QFETCH(LineSettings, receiver);
        LineReceiver first(5);
        LineReceiver again(5);
        int frameErrors = 0;
        for (int round = 0; round < 4; ++round)
            for (int b = 0; b < 256; ++b) {
                const ReceivedByte r = first.receive(quint8(b), sender, receiver);
                QVERIFY2(r.byte != b, qPrintable(QString::number(b)));
                frameErrors += r.frameError;
                const ReceivedByte same = again.receive(quint8(b), sender, receiver);
                QCOMPARE(same.byte, r.byte);
                QCOMPARE(same.frameError, r.frameError);
            }
        // Now and then, not always.
        QVERIFY2(frameErrors > 20 && frameErrors < 1000, qPrintable(QString::number(frameErrors)));
    }

    void discardKeepsTheByteUnderWay_data()
    {
        addColumns<qint64, int, qint64>({"at", "left", "lineFree"});
        QTest::newRow("before the first starts") << qint64(-1) << 0 << qint64(-1);
        QTest::newRow("first under way") << qint64(500) << 1 << qint64(1000);
        QTest::newRow("second just started") << qint64(1000) << 2 << qint64(2000);
        QTest::newRow("last under way") << qint64(2500) << 3 << qint64(3000);
    }
    void discardKeepsTheByteUnderWay()
    {
        QFETCH(qint64, at);
        QFETCH(int, left);
        QFETCH(qint64, lineFree);
        TimedByteQueue q;
        for (const char c : QByteArray("xyz"))
            q.send(quint8(c), 0, 1000);
        q.discardUnstarted(at);
        QCOMPARE(q.size(), qsizetype(left));
        QCOMPARE(q.lineFreeNs(), lineFree);
        // The next byte follows the one under way, or starts at once.
        QCOMPARE(q.send('n', at, 1000), std::max(lineFree, at) + 1000);
    }

    void partnerEchoesWithTheLinkFaults_data()
    {
        addColumns<LinkFaults, bool, int, bool>({"faults", "arrives", "sizeChange", "changed"});
        QTest::newRow("clean") << LinkFaults{} << true << 0 << false;
        QTest::newRow("lost") << LinkFaults{1.0, 0, 0, 0} << false << 0 << false;
        QTest::newRow("corrupted") << LinkFaults{0, 1.0, 0, 0} << true << 0 << true;
        QTest::newRow("extra byte") << LinkFaults{0, 0, 1.0, 0} << true << 1 << true;
        QTest::newRow("missing byte") << LinkFaults{0, 0, 0, 1.0} << true << -1 << true;
    }
    void partnerEchoesWithTheLinkFaults()
    {
        QFETCH(LinkFaults, faults);
        QFETCH(bool, arrives);
        QFETCH(int, sizeChange);
        QFETCH(bool, changed);
        const QByteArray packet = QByteArray(2, char(255)) + "blahBLAHblahBLAHblahBLAH";
        LoopbackPartner partner(3);
        for (int i = 0; i < 50; ++i) {
            const std::optional<QByteArray> echo = partner.echo(packet, faults);
            QCOMPARE(echo.has_value(), arrives);
            if (!echo)
                continue;
            QCOMPARE(echo->size(), packet.size() + sizeChange);
            QCOMPARE(*echo != packet, changed);
            if (sizeChange == 0 && changed) {
                int differing = 0;
                for (qsizetype k = 0; k < packet.size(); ++k)
                    differing += echo->at(k) != packet.at(k);
                QCOMPARE(differing, 1);
            }
        }
    }

    void partnerLossFollowsTheSeed()
    {
        const LinkFaults faults{0.3, 0.1, 0, 0};
        auto run = [&](quint32 seed) {
            LoopbackPartner partner(seed);
            QList<int> outcome;
            for (int i = 0; i < 400; ++i) {
                const std::optional<QByteArray> echo = partner.echo("packet", faults);
                outcome.append(!echo ? 0 : *echo == "packet" ? 1 : 2);
            }
            return outcome;
        };
        const QList<int> first = run(11);
        QCOMPARE(run(11), first);
        QVERIFY(run(12) != first);
        const qsizetype lost = first.count(0);
        QVERIFY2(lost > 80 && lost < 160, qPrintable(QString::number(lost)));
        QVERIFY(first.count(2) > 10);
    }

    void partnerLinkSetUpByChannel_data()
    {
        // A loss below 0 sets no loss rate.
        addColumns<LinkFaults, LinkFaults, bool, double, LinkFaults, LinkFaults>(
            {"every", "channel5", "everyAgain", "loss", "expect5", "expect6"});
        const LinkFaults corrupting{0, 0.2, 0, 0};
        const LinkFaults losing{0.5, 0, 0.3, 0};
        QTest::newRow("one channel differs")
            << corrupting << losing << false << -1.0 << losing << corrupting;
        QTest::newRow("every channel set again")
            << corrupting << losing << true << -1.0 << corrupting << corrupting;
        QTest::newRow("loss rate on every channel, other faults kept")
            << corrupting << losing << false << 0.4 << LinkFaults{0.4, 0, 0.3, 0}
            << LinkFaults{0.4, 0.2, 0, 0};
    }
    void partnerLinkSetUpByChannel()
    {
        QFETCH(LinkFaults, every);
        QFETCH(LinkFaults, channel5);
        QFETCH(bool, everyAgain);
        QFETCH(double, loss);
        QFETCH(LinkFaults, expect5);
        QFETCH(LinkFaults, expect6);
        LoopbackPartner partner;
        partner.setFaults(every);
        partner.setFaults(5, channel5);
        if (everyAgain)
            partner.setFaults(every);
        if (loss >= 0)
            partner.setLossRate(loss);
        QCOMPARE(partner.faults(5), expect5);
        QCOMPARE(partner.faults(6), expect6);

        partner.setPresent(false);
        partner.setLatencyMs(-5);
        QCOMPARE(partner.latencyMs(), 0);
        partner.resetLink();
        QVERIFY(partner.isPresent());
        QCOMPARE(partner.latencyMs(), LoopbackPartner::kDefaultLatencyMs);
        QCOMPARE(partner.faults(5), LinkFaults());
    }
};

QTEST_APPLESS_MAIN(tst_modemsim)
#include "tst_modemsim.moc"
