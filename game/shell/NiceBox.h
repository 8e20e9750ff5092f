#pragma once

#include "Services.h"
#include "SoundBoard.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zeltrix {

// Where lab_Message_Change puts things for a label of the given height (twips): the window
// grows with the text, the button stays below it.
struct NiceBoxLayout {
    int outerHeight;
    int buttonTop;
};
NiceBoxLayout niceBoxLayout(int labelTop, int labelHeight);

// The game's own message box: teal, a yellow centred word-wrapped message, one OK button.
class FrmNiceBox : public QDialog {
    Q_OBJECT
public:
    explicit FrmNiceBox(korvo::SoundBoard& sound);

    void setMessage(const QString& text);
    // The label's height in twips for a text: its wrapped lines at the design line height.
    int labelHeightFor(const QString& text) const;

protected:
    void changeEvent(QEvent* event) override;
    // The box has a default button and no cancel button: Escape does not close it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void lab_Message_Change();
    void Form_Activate();

    korvo::SoundBoard& m_sound;
    QLabel* m_message;
    QPushButton* m_ok;
};

class NiceBox : public MessageBox {
public:
    explicit NiceBox(korvo::SoundBoard& sound) : m_sound(sound) {}
    void ShowNiceMessage(const std::string& text) override;

private:
    korvo::SoundBoard& m_sound;
};

} // namespace zeltrix
