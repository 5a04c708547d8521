#pragma once

#include <QMainWindow>

namespace app {

// The viewer's single window.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
};

} // namespace app
