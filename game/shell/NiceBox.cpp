#include "NiceBox.h"

#include "Look.h"
#include "Modal.h"
#include "Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace zeltrix {

using korvo::toPixels;

namespace {
constexpr int kWidth = 3780;
constexpr int kLabelLeft = 315;
constexpr int kLabelTop = 225;
constexpr int kLabelWidth = 3285;
constexpr int kLineHeight = 270; // one line of the message font
// The window's outer height counts its title bar and borders; the client area is the rest.
constexpr int kFrameHeight = 420;

} // namespace

NiceBoxLayout niceBoxLayout(int labelTop, int labelHeight) {
    return {labelHeight + 1400, labelTop + labelHeight + 200};
}

FrmNiceBox::FrmNiceBox(korvo::SoundBoard& sound)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_sound(sound),
      m_message(new QLabel(this)), m_ok(new QPushButton("OK", this)) {
    setObjectName("frm_NiceBox");
    setWindowTitle("    ");
    korvo::setTealBackground(*this);

    m_message->setObjectName("lab_Message");
    m_message->setFont(korvo::comicFont(9.75));
    m_message->setStyleSheet("color: rgb(255,255,0); background: transparent;");
    m_message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setGeometry(toPixels(kLabelLeft), toPixels(kLabelTop), toPixels(kLabelWidth),
                           toPixels(kLineHeight));

    m_ok->setObjectName("cmd_OK");
    m_ok->setFont(korvo::comicFont(9.75));
    m_ok->setStyleSheet(korvo::colouredButtonStyle());
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_ok->setGeometry(toPixels(1410), toPixels(1830), toPixels(1095), toPixels(420));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    m_message->setFocusPolicy(Qt::NoFocus);
    m_ok->setFocus();

    setFixedSize(toPixels(kWidth), toPixels(2550));
}

int FrmNiceBox::labelHeightFor(const QString& text) const {
    const QFontMetrics metrics(m_message->font());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, toPixels(kLabelWidth), 100000),
                                              Qt::AlignHCenter | Qt::TextWordWrap, text);
    const int lines = std::max(1, (bounds.height() + metrics.lineSpacing() / 2) /
                                      std::max(1, metrics.lineSpacing()));
    return lines * std::max(kLineHeight, korvo::toTwips(metrics.lineSpacing()));
}

void FrmNiceBox::setMessage(const QString& text) {
    m_message->setText(text);
    lab_Message_Change();
}

void FrmNiceBox::lab_Message_Change() {
    const int labelHeight = labelHeightFor(m_message->text());
    m_message->resize(m_message->width(), toPixels(labelHeight));
    const NiceBoxLayout layout = niceBoxLayout(kLabelTop, labelHeight);
    m_ok->move(m_ok->x(), toPixels(layout.buttonTop));
    setFixedSize(toPixels(kWidth), toPixels(layout.outerHeight - kFrameHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void FrmNiceBox::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void FrmNiceBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmNiceBox::Form_Activate() {
    if (!m_sound.Silent) {
        m_sound.PlaySound("beep.wav", false);
    }
}

void NiceBox::ShowNiceMessage(const std::string& text) {
    QCoreApplication::processEvents();
    FrmNiceBox box(m_sound);
    box.setMessage(QString::fromStdString(text));
    korvo::showModal(box);
}

} // namespace zeltrix
