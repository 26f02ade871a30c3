#pragma once
// The splash window (object name Splash), shown while the program starts.

#include <QWidget>

namespace qelvar {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace qelvar
