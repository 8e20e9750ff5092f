#include "MainWindow.h"

#include "Look.h"
#include "PictureButton.h"
#include "Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>

#include <algorithm>

namespace launcher {

using korvo::toPixels;

namespace {

QRect pixels(const Control& c) {
    return {toPixels(c.Left), toPixels(c.Top), toPixels(c.Width), toPixels(c.Height)};
}

QColor colour(const korvo::Rgb& c) {
    return {c.r, c.g, c.b};
}

QFont questionMarkFont() {
    QFont font;
    font.setFamilies({"MS Sans Serif", "DejaVu Sans", "Sans Serif"});
    font.setPointSize(30);
    return font;
}

QFont captionFont() {
    return korvo::comicFont(9);
}

void syncTimer(QTimer& timer, bool enabled) {
    if (enabled && !timer.isActive()) {
        timer.start();
    } else if (!enabled && timer.isActive()) {
        timer.stop();
    }
}

void showPicture(QLabel& label, const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (label.property("picture").toString() != file) {
        label.setProperty("picture", file);
        label.setPixmap(QPixmap(file));
    }
}

} // namespace

MainWindow::MainWindow(ControlPanel& panel) : m_panel(panel), m_tAnimate(new QTimer(this)) {
    setObjectName("frm_Main");
    m_client = new QWidget(this);
    m_client->setObjectName("client");
    korvo::setTealBackground(*m_client);
    m_client->setMouseTracking(true);
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    m_pbButtonHighlight = new QLabel(m_client);
    m_pbButtonHighlight->setObjectName("pb_ButtonHighlight");
    m_pbButtonHighlight->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pbButtonHighlight->setAlignment(Qt::AlignCenter);
    m_pbButtonHighlight->hide();

    for (std::size_t k = 0; k < m_cmdOtherGames.size(); ++k) {
        PictureButton* frame = makeButton(m_client);
        frame->setObjectName(QString("cmd_OtherGames_%1").arg(k));
        connect(frame, &QPushButton::clicked, this,
                [this] { run([this] { m_panel.cmd_OtherGames_Click(); }); });
        m_cmdOtherGames[k] = frame;
    }
    m_lbOther = makeLabel("lb_Other");
    m_lbOther->setWordWrap(true);
    m_lbOther->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    buildMenus();

    m_tAnimate->setObjectName("t_Animate");
    m_tAnimate->setInterval(100);
    connect(m_tAnimate, &QTimer::timeout, this,
            [this] { run([this] { m_panel.view().AnimateButtons(); }); });
    // A program's end changes the window without any event of its own.
    m_panel.programs().changed = [this] { refresh(); };
    refresh();
}

PictureButton* MainWindow::makeButton(QWidget* parent) {
    auto* button = new PictureButton(parent);
    button->setFont(questionMarkFont());
    button->installEventFilter(this);
    button->hide();
    return button;
}

QLabel* MainWindow::makeLabel(const char* name) {
    auto* label = new QLabel(m_client);
    label->setObjectName(name);
    label->setFont(captionFont());
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignCenter);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    label->hide();
    return label;
}

void MainWindow::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
        return a;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("m_File");
    action(file, "m_Add", "Add &New Games...", [this] { m_panel.view().RefreshGames(false); });
    action(file, "m_Remove", "&Remove Games...", [this] { m_panel.programs().RemoveGames(); });
    QAction* refreshGames =
        action(file, "m_Refresh", "&Refresh", [this] { m_panel.RefreshView(); });
    refreshGames->setShortcut(Qt::Key_F5);
    file->addSeparator()->setObjectName("m_Spacer0");
    action(file, "m_Exit", "&Exit", [this] { close(); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("m_Help");
    QAction* contents =
        action(help, "m_Instructions", "&Contents", [this] { m_panel.programs().ShowHelp(); });
    contents->setShortcut(Qt::Key_F1);
    help->addSeparator()->setObjectName("m_Spacer1");
    action(help, "m_About", "&About Korvo's Control Panel", [this] { m_panel.ShowAbout(); });
}

template <typename Handler> void MainWindow::run(Handler handler) {
    handler();
    refresh();
}

void MainWindow::Form_Load() {
    run([this] { m_panel.Form_Load(); });
    run([this] { m_panel.Welcome(); });
}

PictureButton* MainWindow::playButton(int i) const {
    return i >= 0 && i < static_cast<int>(m_cmdPlay.size()) ? m_cmdPlay[i] : nullptr;
}

QLabel* MainWindow::gameLabel(int i) const {
    return i >= 0 && i < static_cast<int>(m_lbGame.size()) ? m_lbGame[i] : nullptr;
}

void MainWindow::syncButtons() {
    const MainForm& form = m_panel.view().form();
    while (m_cmdPlay.size() < form.cmd_Play.size()) {
        const auto n = static_cast<int>(m_cmdPlay.size());
        PictureButton* button = makeButton(m_client);
        button->setObjectName(QString("cmd_Play_%1").arg(n));
        connect(button, &QPushButton::clicked, this, [this, button] {
            const auto it = std::find(m_cmdPlay.begin(), m_cmdPlay.end(), button);
            if (it != m_cmdPlay.end()) {
                const auto i = static_cast<int>(it - m_cmdPlay.begin());
                run([this, i] { m_panel.programs().StartGame(i); });
            }
        });
        m_cmdPlay.push_back(button);
        m_lbGame.push_back(makeLabel("lb_Game"));
        m_lbGame.back()->setObjectName(QString("lb_Game_%1").arg(n));
    }
    // Removed buttons may be the sender of the click that is being handled: they go once the
    // event loop is back.
    while (m_cmdPlay.size() > form.cmd_Play.size()) {
        for (QWidget* widget :
             {static_cast<QWidget*>(m_cmdPlay.back()), static_cast<QWidget*>(m_lbGame.back())}) {
            widget->removeEventFilter(this);
            widget->hide();
            widget->deleteLater();
        }
        m_cmdPlay.pop_back();
        m_lbGame.pop_back();
    }
    for (std::size_t i = 0; i < m_cmdPlay.size(); ++i) {
        const Control& record = form.cmd_Play[i];
        PictureButton* button = m_cmdPlay[i];
        button->setGeometry(pixels(record));
        button->setText(QString::fromStdString(record.Caption));
        button->setPicturePath(QString::fromStdString(record.Picture));
        button->setFace(colour(record.BackColor));
        button->setAccessibleName(
            QString::fromStdString(m_panel.view().ButtonName(static_cast<int>(i))));
        button->setVisible(record.Visible);
        const Control& caption = form.lb_Game[i];
        QLabel* label = m_lbGame[i];
        label->setText(QString::fromStdString(caption.Caption));
        label->setGeometry(pixels(caption));
        label->setVisible(caption.Visible);
    }
}

void MainWindow::refresh() {
    if (m_unloaded) {
        return; // closed for good: the handler that closed it (Exit) must not show it again
    }
    const MainForm& form = m_panel.view().form();
    setWindowTitle(QString::fromStdString(form.Caption));
    syncButtons();

    const Control& frame = form.pb_ButtonHighlight;
    showPicture(*m_pbButtonHighlight, frame.Picture);
    m_pbButtonHighlight->setGeometry(pixels(frame));
    m_pbButtonHighlight->lower(); // behind the buttons
    m_pbButtonHighlight->setVisible(frame.Visible);

    const QString leadsTo = QString::fromStdString(form.lb_Other.Caption);
    for (std::size_t k = 0; k < m_cmdOtherGames.size(); ++k) {
        const Control& record = form.cmd_OtherGames[k];
        PictureButton* button = m_cmdOtherGames[k];
        button->setGeometry(pixels(record));
        button->setPicturePath(QString::fromStdString(record.Picture));
        button->setFace(colour(record.BackColor));
        button->setAccessibleName(leadsTo);
        button->setVisible(record.Visible);
    }
    m_lbOther->setText(leadsTo);
    m_lbOther->setGeometry(pixels(form.lb_Other));
    m_lbOther->setVisible(form.lb_Other.Visible);

    // The panel keeps the outer size, frame and menu bar included.
    const QSize outer(toPixels(form.Width), toPixels(form.Height));
    const QSize frameSize = frameGeometry().size() - geometry().size();
    const QSize inner = outer - frameSize;
    if (size() != inner || minimumSize() != inner) {
        setFixedSize(inner);
    }

    syncTimer(*m_tAnimate, form.t_AnimateEnabled);
    if (isEnabled() != form.Enabled) {
        setEnabled(form.Enabled);
    }

    if (form.Visible && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!form.Visible && isVisible()) {
        hide();
    }
    if (form.Raises != m_raises) {
        m_raises = form.Raises;
        if (isVisible()) {
            raise();
            activateWindow();
        }
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !m_unloaded) {
        if (isActiveWindow()) {
            run([this] { m_panel.view().form().t_AnimateEnabled = true; });
        } else {
            run([this] { m_panel.view().form().t_AnimateEnabled = false; });
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_unloaded = true;
    m_tAnimate->stop();
    event->accept();
    emit unloaded();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto play = std::find(m_cmdPlay.begin(), m_cmdPlay.end(), watched);
    const auto frame = std::find(m_cmdOtherGames.begin(), m_cmdOtherGames.end(), watched);
    if (play != m_cmdPlay.end()) {
        const auto i = static_cast<int>(play - m_cmdPlay.begin());
        if (type == QEvent::MouseMove) {
            run([this, i] { m_panel.view().PointerOnButton(i); });
        } else if (type == QEvent::MouseButtonPress) {
            const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            run([this, left] { m_panel.cmd_Play_MouseDown(left); });
        }
    } else if (frame != m_cmdOtherGames.end()) {
        if (type == QEvent::MouseMove) {
            run([this] { m_panel.view().HideHighlight(); });
        } else {
            const bool down = type == QEvent::MouseButtonPress;
            run([this, down] { m_panel.view().SwitchPressed(down); });
        }
    } else if (type == QEvent::MouseMove) {
        // Over the window's background or a caption.
        run([this] { m_panel.view().HideHighlight(); });
    }
    // A move that a control has handled must not reach the window behind it as well, which
    // would hide the frame again.
    if (type == QEvent::MouseMove && watched != m_client &&
        static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        event->accept();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

int QtScreen::CaptionWidth(const std::string& caption) const {
    const QFontMetrics metrics(captionFont());
    // A little room on both sides, as an auto-sized label keeps.
    return korvo::toTwips(metrics.horizontalAdvance(QString::fromStdString(caption)) + 4);
}

} // namespace launcher
