#pragma once
// The fixed buffers some texts have always been read through, and what each one cuts. They are
// gathered here so a reader sees every such rule at once; each is kept because lists, captions
// and files written by earlier versions depend on the cut texts. (Registry strings keep their
// terminating NUL: see RegistryStore.)
#include <cstddef>
#include <cstdint>

namespace shared {

// win.ini "Load" and "Run" as listed: a 128-character buffer with a limit of 127, so at most 126
// characters and the NUL.
inline constexpr std::uint32_t kIniValueLimit = 127;

// A language-pack text: a buffer of 500, so at most 499 characters.
inline constexpr unsigned kLanguageTextBuffer = 500;

// A registry value the About box shows: read through 1,024 bytes; a longer one is not read at all.
inline constexpr std::size_t kAboutValueBuffer = 1024;

}  // namespace shared
