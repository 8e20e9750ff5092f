#include "FrmHiScores.h"

#include "Look.h"

#include "DataPath.h"
#include "Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace zeltrix {

using korvo::toPixels;

// Paints a picture control as the sprite player leaves it: its place and its current frame.
class ControlView : public QWidget {
public:
    ControlView(const korvo::Control& control, QWidget* parent)
        : QWidget(parent), m_control(control) {}

    void refresh() {
        setGeometry(toPixels(m_control.Left), toPixels(m_control.Top), toPixels(m_control.Width),
                    toPixels(m_control.Height));
        setVisible(m_control.Visible);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_path != m_control.Picture) {
            m_path = m_control.Picture;
            m_pixmap.load(QString::fromStdString(m_path));
        }
        QPainter(this).drawPixmap(0, 0, m_pixmap);
    }

private:
    const korvo::Control& m_control;
    std::string m_path;
    QPixmap m_pixmap;
};

namespace {
constexpr int kWidth = 4980;
constexpr int kHeight = 6225;
constexpr int kRobotLeft = 1845;
constexpr int kRobotTop = 705;
constexpr std::array<int, 3> kRowTops{750, 1185, 1635};
constexpr int kRepaintMs = 50;

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

QLabel* caption(const char* name, const QString& text, double points, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(korvo::comicFont(points));
    label->setStyleSheet("color: rgb(128,255,255); background: transparent;");
    label->setWordWrap(true);
    return label;
}

// pb_RobotHiScores with its still picture, until the sprite player shows the first frame.
korvo::Control robotBox() {
    korvo::Control box;
    box.Left = kRobotLeft;
    box.Top = kRobotTop;
    box.Width = 1260;
    box.Height = 1860;
    box.Picture = korvo::dataPath("robot hiscores.gif");
    return box;
}

QLineEdit* cell(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFont(korvo::comicFont(9.75));
    edit->setStyleSheet("QLineEdit { background-color: rgb(0,64,64); color: rgb(0,192,192);"
                        " border: 1px solid rgb(0,96,96); }");
    edit->setEnabled(false);
    return edit;
}
} // namespace

FrmHiScores::FrmHiScores(HiScores& table, korvo::SoundBoard& sound, korvo::SpritePlayer& sprite)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_table(table),
      m_sound(sound), m_sprite(sprite), m_robot(robotBox()),
      m_robotView(new ControlView(m_robot, this)), m_ok(new QPushButton("OK", this)) {
    setObjectName("frm_HiScores");
    setWindowTitle("High Scores");
    korvo::setTealBackground(*this);
    setFixedSize(toPixels(kWidth), toPixels(kHeight));

    QLabel* message = caption("lab_Message", "High Scores Hall of Fame", 12, this);
    message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    place(message, 690, 195, 3615, 375);

    m_robotView->setObjectName("pb_RobotHiScores");
    m_robotView->refresh();

    auto* panel = new QFrame(this);
    panel->setObjectName("Picture1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(panel, 210, 2790, 4530, 2355);
    place(caption("Label10", "Name", 9.75, panel), 960, 375, 1065, 315);
    place(caption("Label11", "Score", 9.75, panel), 3270, 375, 930, 300);
    for (std::size_t i = 0; i < kRowTops.size(); ++i) {
        m_names[i] = cell(QString("t_Name%1").arg(i), panel);
        place(m_names[i], 210, kRowTops[i], 2355, 345);
        m_scores[i] = cell(QString("t_Score%1").arg(i), panel);
        m_scores[i]->setAlignment(Qt::AlignRight);
        m_scores[i]->setFocusPolicy(Qt::NoFocus);
        place(m_scores[i], 2895, kRowTops[i], 1275, 345);
    }

    m_ok->setObjectName("cmd_OK");
    m_ok->setFont(korvo::comicFont(9.75));
    m_ok->setStyleSheet(korvo::colouredButtonStyle());
    m_ok->setDefault(true);
    place(m_ok, 1838, 5535, 1275, 390);
    connect(m_ok, &QPushButton::clicked, this, &FrmHiScores::cmd_OK_Click);

    setTabOrder(m_names[0], m_names[1]);
    setTabOrder(m_names[1], m_names[2]);
    setTabOrder(m_names[2], m_ok);

    // The sprite player only changes the control's data; the view follows it at the game's
    // frame rate.
    connect(&m_repaint, &QTimer::timeout, m_robotView, &ControlView::refresh);
    m_repaint.start(kRepaintMs);

    Form_Load();
}

FrmHiScores::~FrmHiScores() {
    // The sprite player must not keep playing into a control that is gone.
    if (m_sprite.IsPlaying()) {
        m_sprite.Stop();
    }
    m_sprite.SetTarget(nullptr);
}

void FrmHiScores::Form_Load() {
    m_sound.PlaySound("anthem1.mid", true);
    m_sprite.SetTarget(&m_robot);
    m_sprite.SetBasePath(korvo::programDir());
    m_sprite.SetLeft(kRobotLeft);
    m_sprite.SetTop(kRobotTop);
    m_sprite.SetLeftLimit(0);
    m_sprite.SetRightLimit(kWidth);
    m_sprite.SetFileName(korvo::dataPath("mark time.spr"));
    m_sprite.Play();
}

void FrmHiScores::showTable(int newRow) {
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        m_names[i]->setText(QString::fromStdString(m_table[i].Name));
        m_scores[i]->setText(QString::number(m_table[i].Score));
        m_names[i]->setEnabled(static_cast<int>(i) == newRow);
    }
    if (newRow >= 0 && newRow < static_cast<int>(m_names.size())) {
        m_names[newRow]->setFocus();
    } else {
        m_ok->setFocus();
    }
}

void FrmHiScores::reject() {
    cmd_OK_Click();
}

void FrmHiScores::cmd_OK_Click() {
    m_sound.PlaySound("", true);
    // The score cells are never editable: only the names come back.
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        m_table[i].Name = storableName(m_names[i]->text().toStdString());
    }
    m_sprite.Stop();
    accept();
}

} // namespace zeltrix
