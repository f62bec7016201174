// The choices a run reads at the moment it needs them: the window answers from its controls, the
// command line from its arguments.
#pragma once

#include <QString>

class SessionOptions
{
public:
    virtual ~SessionOptions() = default;

    // The Test Console: the device configuration, base or mobile, and its check boxes.
    virtual QString deviceConfig() const = 0;
    virtual bool mobile() const = 0;
    virtual bool configOnly() const = 0;
    virtual bool testOnly() const = 0;
    virtual bool saveTxPowerOn() const = 0;
    virtual bool leaveInCmdMode() const = 0;
    virtual bool leaveTxPowerOn() const = 0;
    // Received bytes show as "\hh" for every byte (the display mode's second choice).
    virtual bool hexDisplay() const = 0;
    // Saved logs carry each line's time.
    virtual bool showTimes() const = 0;
};
