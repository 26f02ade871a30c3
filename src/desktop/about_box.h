#pragma once
// frmAbout: the About box, with the program's icon, a few words about it, its version, and a button that
// starts the desktop's system-information tool.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

namespace qelvar {

class Prompter;

inline constexpr const char* kSystemInfoUnavailable = "System Information Is Unavailable At This Time";

// The system-information tools looked for, in order.
const std::vector<std::string>& systemInformationTools();
// The first of those tools found as an executable file in the folders of a PATH value.
std::optional<std::string> findSystemInformationTool(const std::string& pathVariable);

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Prompter& prompter, QWidget* parent = nullptr);

    // Starts the system-information tool without waiting for it; when there is none, or it does not start,
    // the "unavailable" message is shown.
    void startSystemInfo();

private:
    Prompter& prompter_;
};

// Shows the About box modally over parent; it is closed and gone when this returns.
void showAboutBox(QWidget* parent, Prompter& prompter);

}  // namespace qelvar
