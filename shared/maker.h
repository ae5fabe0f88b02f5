#pragma once
// Who makes the programs: the one place for the maker's name, web address and copyright line.

namespace shared {

inline constexpr char kMakerName[] = "Vexlin Software";
inline constexpr char kMakerWebAddress[] = "https://www.vexlin.example/";
// What the Visit menu item shows after "&Visit ".
inline constexpr char kMakerWebSiteName[] = "www.vexlin.example";
inline constexpr char kCopyrightNotice[] = "Copyright (C) 2004 Vexlin Software";

}  // namespace shared
