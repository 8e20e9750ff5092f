#pragma once

#include <string>

namespace korvo {

// The maker of the family, its website and where users write for help: one set of texts for
// both programs' about boxes and messages.
inline const std::string MakerName = "Zandolfic Software";
inline const std::string WebsiteName = "Quibbrik";
// The website's host, without a scheme; links put "http://" in front.
inline const std::string WebAddress = "www.quibbrik.com";
inline const std::string SupportEmail = "support@quibbrik.com";

// The copyright line of an about box, for the year its program was published.
inline std::string copyrightLine(int year) {
    return "Copyright \u00a9 " + std::to_string(year) + " " + MakerName + ". All rights reserved.";
}

} // namespace korvo
