#include "FrmMain.h"

#include "FieldView.h"
#include "Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>

namespace zeltrix {

using korvo::toPixels;

namespace {
int keyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Space:
        return kKeySpace;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Right:
        return kKeyRight;
    default:
        return 0;
    }
}
} // namespace

FrmMain::FrmMain(Game& game) : m_game(game) {
    setObjectName("frm_Main");
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setAutoFillBackground(true);
    QPalette black = client->palette();
    black.setColor(QPalette::Window, Qt::black);
    client->setPalette(black);
    client->setMinimumSize(toPixels(9510), toPixels(6870));
    setCentralWidget(client);

    m_view = new FieldView(game.field(), client);
    m_view->installEventFilter(this);
    buildMenus();

    m_tBalls.setObjectName("t_Balls");
    m_tBalls.setInterval(50);
    connect(&m_tBalls, &QTimer::timeout, this, [this] { run([this] { m_game.t_Balls_Timer(); }); });
    m_tGun.setObjectName("t_Gun");
    m_tGun.setInterval(200);
    connect(&m_tGun, &QTimer::timeout, this, [this] { run([this] { m_game.t_Gun_Timer(); }); });

    m_game.Form_Load();
    m_tBalls.start();
    adjustSize();
    refresh();
}

void FrmMain::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
        return a;
    };
    QMenu* game = menuBar()->addMenu("&Game");
    game->setObjectName("m_Game");
    QMenu* newGame = game->addMenu("&New Game");
    newGame->setObjectName("m_NewGame");
    action(newGame, "m_Level1", "Challenge &1 (Linear Equations)",
           [this] { m_game.m_Level_Click(1); });
    action(newGame, "m_Level2", "Challenge &2 (Tricky Linear Equations)",
           [this] { m_game.m_Level_Click(2); });
    action(newGame, "m_Level3", "Challenge &3 (Quadratric Equations)",
           [this] { m_game.m_Level_Click(3); });
    action(game, "m_HiScores", "&Hall of Fame", [this] { m_game.m_HiScores_Click(); });
    game->addSeparator()->setObjectName("m_Spacer1");
    m_silent = action(game, "m_Silent", "&Silent", [this] { m_game.m_Silent_Click(); });
    m_silent->setCheckable(true);
    game->addSeparator()->setObjectName("m_Spacer2");
    action(game, "m_Exit", "&Exit", [this] { close(); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("m_Help");
    QAction* contents = action(help, "m_Instructions", "&Contents", [this] {
        if (onHelp) {
            onHelp();
        }
    });
    contents->setShortcut(Qt::Key_F1);
    contents->setShortcutContext(Qt::ApplicationShortcut);
    help->addSeparator()->setObjectName("m_Spacer3");
    m_about = action(help, "m_About", "&About Zeltrix", [this] {
        if (onAbout) {
            onAbout();
        }
    });
}

template <typename Handler> void FrmMain::run(Handler handler) {
    handler();
    refresh();
}

void FrmMain::refresh() {
    const Field& field = m_game.field();
    setWindowTitle(QString::fromStdString(field.caption));
    m_about->setText(QString::fromStdString(field.m_AboutCaption));
    // The checked state follows the game's, whatever the click on the action did to it.
    m_silent->setChecked(field.m_SilentChecked);
    if (field.t_GunEnabled && !m_tGun.isActive()) {
        m_tGun.start();
    } else if (!field.t_GunEnabled) {
        m_tGun.stop();
    }
    m_view->move(toPixels(field.pb_Screen.Left), toPixels(field.pb_Screen.Top));
    m_view->update();
}

void FrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void FrmMain::Form_Resize() {
    const QSize outer = frameGeometry().size();
    m_game.Form_Resize(isMaximized(), korvo::toTwips(outer.width()),
                       korvo::toTwips(outer.height()));
    refresh();
}

void FrmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void FrmMain::Form_Activate() {
    m_view->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (!m_unloaded) {
        m_unloaded = true;
        m_tBalls.stop();
        m_tGun.stop();
        if (onUnload) {
            onUnload();
        }
        m_game.Form_Unload();
    }
    event->accept();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view) {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = keyCode(key->key());
            if (code == 0) {
                return false;
            }
            if (event->type() == QEvent::KeyPress) {
                run([this, code] { m_game.pb_Robot_KeyDown(code); });
            } else if (!key->isAutoRepeat()) {
                // X repeats a held key as release/press pairs; only the real release counts.
                run([this, code] { m_game.pb_Robot_KeyUp(code); });
            }
            return true;
        }
        // A click: the left button pressed on the field and released there.
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                m_view->rect().contains(mouse->position().toPoint())) {
                run([this] { m_game.pb_Screen_Click(); });
                m_view->setFocus(Qt::MouseFocusReason);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool QtWindows::IsActiveForm(Form form) const {
    const auto it = m_forms.find(form);
    return it != m_forms.end() && it->second && it->second == QApplication::activeWindow();
}

void QtWindows::LetEventsRun(int milliseconds) {
    if (beforeEvents) {
        beforeEvents();
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace zeltrix
