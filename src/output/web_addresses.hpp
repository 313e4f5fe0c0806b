// The web addresses that the program shows or writes, in one place.
#pragma once

namespace velquist {

// The trading platform vendor's site, in the help link of every written report.
inline constexpr const char* PlatformVendorAddress = "http://www.metaquotes.net";
// This product's page, behind "Learn more" in the notice of reports with symbols.
inline constexpr const char* ProductPageAddress = "https://www.velquist.com/";

}  // namespace velquist
