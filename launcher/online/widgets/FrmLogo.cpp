#include "FrmLogo.h"

#include "Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace launcher {

using korvo::toPixels;

namespace {

QRect pixels(const Control& c) {
    return {toPixels(c.Left), toPixels(c.Top), toPixels(c.Width), toPixels(c.Height)};
}

QFont productFont(double points) {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans", "Sans Serif"});
    font.setBold(true);
    font.setPointSizeF(points);
    return font;
}

void syncTimer(QTimer& timer, bool enabled, int interval) {
    if (timer.interval() != interval) {
        timer.setInterval(interval); // a running timer starts its new interval now
    }
    if (enabled && !timer.isActive()) {
        timer.start();
    } else if (!enabled && timer.isActive()) {
        timer.stop();
    }
}

QTimer* makeTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

FrmLogo::FrmLogo(std::unique_ptr<korvo::MultimediaPlayer> player, Installation& installation,
                 Catalogue& catalogue)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_MMControl1(std::move(player)),
      m_sound(*m_MMControl1), m_logo({*m_MMControl1, m_sound, installation, catalogue}),
      m_tCoin(makeTimer(this, "t_Coin", 100)) {
    setObjectName("frm_Logo");
    setFixedSize(toPixels(kLogoWidth), toPixels(kLogoHeight));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    if (const QScreen* display = QGuiApplication::primaryScreen()) {
        const QRect area = display->availableGeometry();
        move(area.center() - rect().center());
    }

    for (std::size_t i = 0; i < m_pbCoin.size(); ++i) {
        auto* coin = new QLabel(this);
        coin->setObjectName(QString("pb_Coin_%1").arg(i));
        coin->hide();
        m_pbCoin[i] = coin;
    }
    for (std::size_t i = 0; i < m_lblProduct.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("lbl_Product_%1").arg(i));
        label->setAlignment(i < 2 ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->hide();
        m_lblProduct[i] = label;
    }

    connect(m_tCoin, &QTimer::timeout, this, [this] { run([this] { m_logo.t_Coin_Timer(); }); });
    m_logo.changed = [this] { refresh(); };
    // The logo hides itself before the main window shows: a message that the main window puts
    // up at once must not stand beside a logo that is still on screen.
    m_logo.showMain = [this] {
        refresh();
        if (onShowMain) {
            onShowMain();
        }
    };
    refresh();
}

FrmLogo::~FrmLogo() {
    if (!m_unloaded) {
        m_logo.Form_Unload();
    }
}

template <typename Handler> void FrmLogo::run(Handler handler) {
    handler();
    refresh();
}

void FrmLogo::Form_Load() {
    run([this] { m_logo.Form_Load(); });
}

void FrmLogo::unload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    m_tCoin->stop();
    m_logo.Form_Unload();
    close();
}

const QPixmap& FrmLogo::picture(const std::string& path) {
    for (const auto& [file, pixmap] : m_pictures) {
        if (file == path) {
            return pixmap;
        }
    }
    m_pictures.emplace_back(path, QPixmap(QString::fromStdString(path)));
    return m_pictures.back().second;
}

void FrmLogo::refresh() {
    const LogoForm& form = m_logo.form();
    for (std::size_t i = 0; i < m_pbCoin.size(); ++i) {
        const Control& record = form.pb_Coin[i];
        QLabel* coin = m_pbCoin[i];
        if (record.Visible && coin->pixmap().isNull()) {
            coin->setPixmap(picture(record.Picture));
        }
        coin->setGeometry(pixels(record));
        coin->setVisible(record.Visible);
    }
    for (std::size_t i = 0; i < m_lblProduct.size(); ++i) {
        const Control& record = form.lbl_Product[i];
        QLabel* label = m_lblProduct[i];
        const QFont font = productFont(form.FontSize[i]);
        if (label->font() != font) {
            label->setFont(font);
        }
        QPalette palette = label->palette();
        const korvo::Rgb& c = record.ForeColor;
        palette.setColor(QPalette::WindowText, QColor(c.r, c.g, c.b));
        label->setPalette(palette);
        label->setText(QString::fromStdString(record.Caption));
        label->setGeometry(pixels(record));
        label->setVisible(record.Visible);
    }
    if (form.lbl_Product2InFront) {
        m_lblProduct[2]->raise();
    }
    syncTimer(*m_tCoin, form.t_CoinEnabled, form.t_CoinInterval);
    if (form.Visible && !isVisible() && !m_unloaded) {
        show();
        raise();
    } else if (!form.Visible && isVisible()) {
        hide();
    }
    update();
}

void FrmLogo::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const LogoForm& form = m_logo.form();
    painter.drawPixmap(0, 0, picture(form.Picture));
    for (const Stamp& stamp : form.Background) {
        painter.drawPixmap(toPixels(stamp.Left), toPixels(stamp.Top), picture(stamp.Picture));
    }
}

} // namespace launcher
