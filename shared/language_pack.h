#pragma once
// The language pack lookup and the error log. Every visible text is looked up by its number in
// the current pack, Lang\<CurrentLanguageFile> beside the program; the pack is read anew at each
// lookup, so an edited pack shows at the next one. A failed lookup leaves one record in
// errorlog.txt beside the program and gives an empty text.
#include <string>

#include "shared/clock_port.h"
#include "shared/file_system_port.h"
#include "shared/fixed_buffers.h"
#include "shared/profile_port.h"
#include "shared/status.h"

namespace shared {

inline constexpr char kLanguagePackSection[] = "Vexlin Language Pack";
inline constexpr char kLanguageFolderName[] = "Lang";
inline constexpr char kErrorLogName[] = "errorlog.txt";

class LanguagePack {
 public:
  // programFolder: the folder of the running program, without a trailing backslash; "" when it
  // could not be found, in which case every lookup fails and nothing is logged.
  LanguagePack(ProfilePort& profile, FileSystemPort& files, ClockPort& clock, std::string programFolder)
      : profile_(profile), files_(files), clock_(clock), programFolder_(std::move(programFolder)) {}

  // The text for key in the current pack; defaultText when the key or the pack is missing; ""
  // for a key present with an empty value; at most 499 characters.
  std::string SetCaptionfromINI(const std::string& key, const std::string& defaultText);

  // Appends one record to errorlog.txt. A failure while logging is ignored on purpose: the log
  // is the last resort and has nowhere to report to.
  void WriteErrorLog(const std::string& message);

  // The file name of the current pack, extension included ("English.ini"); "" until the main
  // window's load chooses one. A name that is not a plain file name of the Lang folder (a path,
  // a drive, a device) is never read: a lookup with it fails and is logged.
  const std::string& CurrentLanguageFile() const { return currentLanguageFile_; }
  void SetCurrentLanguageFile(std::string fileName) { currentLanguageFile_ = std::move(fileName); }

  const std::string& ProgramFolder() const { return programFolder_; }
  // program folder & "\Lang"
  std::string LanguageFolder() const;

 private:
  // The pack path, or why it cannot be formed.
  Result<std::string> PackPath() const;

  ProfilePort& profile_;
  FileSystemPort& files_;
  ClockPort& clock_;
  std::string programFolder_;
  std::string currentLanguageFile_;
};

// One error-log record: "\r\nDate: <date>","Time: <time>","<message>"\r\n
std::string FormatErrorLogRecord(const LocalTimeText& now, const std::string& message);

// The message a failed lookup logs.
std::string LookupErrorMessage(const Status& failure);

// True for a name that can only mean a file inside the Lang folder.
bool IsPlainPackName(const std::string& name);

}  // namespace shared
