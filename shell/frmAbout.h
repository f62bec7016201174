// The About window: title, version, what the tool is for, and the system-information button.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // Builds the controls, then runs the load step.
    explicit frmAbout(QWidget* parent = nullptr);

    static inline const QString kAppTitle = QStringLiteral("Tarvex Brannoc");
    // The picture shows the program's icon at one of the sizes it is drawn for.
    static constexpr int kIconSize = 48;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPlainTextEdit* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system's information program, or says that it is unavailable.
    void StartSysInfo();

private:
    // Makes the description tall enough to show all of its text without scrolling.
    void fitDescription();
};
