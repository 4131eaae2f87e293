// The client's file name, which is used only for its extension and the names of the files sent
// back: never as a path on the server.
#pragma once

#include <string>
#include <string_view>

namespace korvanta::serve {

// The last component of a name a browser or script sent ("C:\data\a.pht" and "../../a.pht"
// give "a.pht"), without control characters and cut to 255 bytes on a UTF-8 boundary; "upload"
// when nothing is left.
std::string DisplayName(std::string_view client_name);

// The display name with its extension replaced: ("a.pht", ".xlsx") -> "a.xlsx".
std::string DownloadName(const std::string& display_name, std::string_view extension);

// Content-Disposition for a download (RFC 6266): an ASCII fallback in filename and the exact
// name, percent-encoded UTF-8, in filename*.
std::string AttachmentHeader(std::string_view download_name);

}  // namespace korvanta::serve
