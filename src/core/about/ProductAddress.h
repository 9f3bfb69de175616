#pragma once

#include <QString>

// The product web page: the one place that names it.
namespace product {

// The host, as the main window's link label shows it.
inline constexpr char kWebHost[] = "www.tallimer.org";
// The query that tells the page the visitor came from the converter.
inline constexpr char kWebLinkQuery[] = "?converter";

// "www.tallimer.org": the caption of the main window's link.
QString webHost();
// "https://www.tallimer.org/"
QString webAddress();
// "https://www.tallimer.org/?converter": what a click on the link opens.
QString webLinkAddress();
// "Click Here To Go To www.tallimer.org": the tool tip of that link.
QString linkLabelToolTip();
// "Click Here To Go to www.tallimer.org" (lower-case "to"): the tool tip of the banner picture
// that links to it.
QString linkPictureToolTip();

} // namespace product
