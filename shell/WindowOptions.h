// The window's answers to a session's options and questions: its controls and its boxes.
#pragma once

#include "session/SessionOptions.h"
#include "session/SessionQuestions.h"

class QAction;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QWidget;

// Reads the controls at the moment the session asks, so that a box ticked during a run counts
// when its phase comes.
class WindowOptions : public SessionOptions
{
public:
    struct Controls {
        QComboBox* deviceConfig;
        QRadioButton* mobile;
        QCheckBox* configOnly;
        QCheckBox* testOnly;
        QCheckBox* saveTxPowerOn;
        QCheckBox* leaveInCmdMode;
        QCheckBox* leaveTxPowerOn;
        QComboBox* showMode;
        QAction* showTimes;
    };
    explicit WindowOptions(const Controls& controls) : m_c(controls) {}

    QString deviceConfig() const override;
    bool mobile() const override;
    bool configOnly() const override;
    bool testOnly() const override;
    bool saveTxPowerOn() const override;
    bool leaveInCmdMode() const override;
    bool leaveTxPowerOn() const override;
    bool hexDisplay() const override;
    bool showTimes() const override;

private:
    Controls m_c;
};

// Shows each question as the window's box over it, with its title and text.
class WindowQuestions : public SessionQuestions
{
public:
    explicit WindowQuestions(QWidget* window) : m_window(window) {}

    MsgAnswer ask(const QString& text, const QString& title, MsgButtons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& label,
                                   const QString& prefill) override;
    void cancelOpen() override;

private:
    QWidget* m_window;
};
