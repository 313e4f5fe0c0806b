// The web addresses that the program shows or writes, in one place.
#pragma once

namespace velquist {

// The trading platform vendor's site, in the help link of every written report.
inline constexpr const char* PlatformVendorAddress = "http://www.metaquotes.net";
// This product's page, behind "Learn more" in the notice of reports with symbols.
inline constexpr const char* ProductPageAddress = "https://www.velquist.com/";
// The publisher's site, shown after the application's title in the window caption.
inline constexpr const char* PublisherAddress = "https://www.velquist.com";
// The report-analysis service that does not accept reports with the "Symbol"
// column; named in the caption of the window's "Symbol" check box.
inline constexpr const char* OutsideServiceHostName = "www.tradestatlab.net";

}  // namespace velquist
