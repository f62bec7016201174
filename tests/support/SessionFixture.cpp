// The window-free session fixture: the station's port backends, "SIM" among them.
#include "support/SessionFixture.h"
#include "session/StationPorts.h"

MsgAnswer TestQuestions::ask(const QString& text, const QString& title, MsgButtons buttons)
{
    asked << title + QLatin1Char('|') + text;
    if (answerer)
        return answerer(title);
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

SessionFixture::SessionFixture()
    : m_session(std::make_unique<UnitSession>(stationPortBackends(), options, questions))
{
}

SessionFixture::~SessionFixture() = default;

bool SessionFixture::open(const QString& port)
{
    m_session->CommPort_Set(port);
    m_session->CommOpenCbox_Set(true);
    return m_session->portOpen();
}
