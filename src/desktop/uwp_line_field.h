#pragma once
// The details window's UWP line: the whole profile typed at once ("A788899-C", or the eight characters
// in this program's digits), beside the digit dialogs. Enter stores it; what is wrong is said below it.

#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;

namespace qelvar {

class UwpLineField : public QWidget {
    Q_OBJECT
public:
    explicit UwpLineField(QWidget* parent = nullptr);

    // Shows the stored profile (eight characters) in the common form; the problem line empties.
    void showUwp(const std::string& stored);

signals:
    // A profile was typed that reads: its eight stored characters.
    void uwpTyped(const std::string& stored);

private:
    void typed();

    QLineEdit* line_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace qelvar
