#pragma once

#include "AboutBox.h"
#include "Maker.h"

namespace zeltrix {

// The maker's website, without a scheme.
inline const std::string WebAddress = korvo::WebAddress;

// The game's about box: title, version, copyright, the website and the system-information
// button. Shown modally with exec(); OK, Enter and Escape close it.
class FrmAbout : public korvo::AboutBox {
public:
    explicit FrmAbout(QWidget* owner = nullptr);

    // Opens the website; when no browser could, says where to go.
    void lb_Website_Click() override;

private:
    void Form_Load();
};

} // namespace zeltrix
