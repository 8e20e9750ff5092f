#pragma once

#include "Services.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace launcher {

// The information page of a game that is not installed: its picture, its story and the line
// saying that it has not been installed. Its caption is the game's name, so the page must be
// destroyed when it closes: the launcher waits while any window titled "Korvo's ..." exists.
class FrmBlab : public QDialog {
    Q_OBJECT
public:
    explicit FrmBlab(QWidget* owner);

    void fill(const GameInfo& page);

private:
    QLabel* m_pbScreenDump;
    QLabel* m_lblStory;
    QLabel* m_lbInstall;
    QPushButton* m_cmdClose;
};

} // namespace launcher
