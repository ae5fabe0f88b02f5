#include "plugwarden/tooltip.h"

#include <algorithm>
#include <array>
#include <utility>

#include "plugwarden/bho_catalogue.h"
#include "shared/file_version.h"

namespace plugwarden {

ToolTipContent fillToolTip(const shared::ListModel& list, int listIndex, shared::FileSystemPort& files,
                           shared::VersionPort& versions, shared::WindowsFolderPort& windowsFolder) {
  using shared::FileVersionRecord;
  ToolTipContent content;
  const std::string path = ModuleAsLoaded(list.Text(listIndex, BhoEntry::kPath),
                                          KeyOfRow(list.Text(listIndex, BhoEntry::kIdentifier)).view, windowsFolder);
  if (!shared::FileExists(files, path)) {
    content.textHeight = kToolTipMissingTextHeight;
    content.text = kMissingModuleText;
    return content;
  }
  const FileVersionRecord record = shared::GetFileVersionRecord(files, versions, path);
  // The labels are the program's own wording, kept as users know them.
  static constexpr std::array<std::pair<const char*, FileVersionRecord::Field>, 8> kLines{{
      {"Comments: ", FileVersionRecord::kComments},
      {" Descriptioton: ", FileVersionRecord::kFileDescription},
      {"Internal Name: ", FileVersionRecord::kInternalName},
      {"Version: ", FileVersionRecord::kFileVersion},
      {"Company: ", FileVersionRecord::kCompanyName},
      {"Product Name: ", FileVersionRecord::kProductName},
      {"Original FIleName: ", FileVersionRecord::kOriginalFileName},
      {"Copy right:", FileVersionRecord::kLegalCopyright},
  }};
  for (const auto& [label, field] : kLines) {
    if (!content.text.empty()) content.text += "\r\n";
    content.text += label;
    content.text += record[field];
  }
  return content;
}

ToolTipLayout LayOutToolTip(int width, int textHeight) {
  ToolTipLayout layout;
  layout.width = width;
  layout.height = textHeight + kToolTipMargin;
  layout.text = {480, 120, width - kToolTipMargin, textHeight};
  layout.image1 = {120, 120, 240, 240};
  layout.imgBottom = {0, layout.height - kToolTipBorder, width, kToolTipBorder};
  layout.imgTop = {0, 0, width, kToolTipBorder};
  // The right strip keeps its designed top.
  layout.imgRight = {width - kToolTipBorder, 120, kToolTipBorder, layout.height};
  layout.imgLeft = {0, 0, kToolTipBorder, layout.height};
  return layout;
}

ScreenPoint ShowAtCursorPlace(ScreenPoint pointer, int windowWidth, int windowHeight,
                              const shared::PixelRect& workArea, int dpi) {
  const int offset = shared::TwipsToPixels(kToolTipPointerOffset, dpi);
  const auto place = [offset](int at, int size, int low, int extent) {
    int start = at + offset;
    if (start + size > low + extent) start = at - offset - size;
    return std::max(start, low);
  };
  return {place(pointer.x, windowWidth, workArea.left, workArea.width),
          place(pointer.y, windowHeight, workArea.top, workArea.height)};
}

}  // namespace plugwarden
