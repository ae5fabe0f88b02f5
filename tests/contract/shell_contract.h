#pragma once
// The contracts of the Windows folder, the shell's special folders and shortcuts: the fakes
// against the real shell.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "shared/file_system_port.h"
#include "shared/shell_folder_port.h"
#include "shared/shortcut_port.h"
#include "shared/windows_folder_port.h"

struct ShellPorts {
  std::unique_ptr<shared::FileSystemPort> files;  // the files the other ports see
  std::unique_ptr<shared::WindowsFolderPort> windowsFolder;
  std::unique_ptr<shared::ShellFolderPort> shellFolders;
  std::unique_ptr<shared::ShortcutPort> shortcuts;
  std::function<void(const std::string& folder)> removeEmptyFolder;
};

struct ShellTarget {
  std::function<ShellPorts()> make;
  std::string scratch;  // an existing folder, "C:\..." form
};

class ShellContract : public ::testing::TestWithParam<ShellTarget> {
 protected:
  void SetUp() override { ports_ = GetParam().make(); }
  std::string At(const std::string& name) const { return GetParam().scratch + "\\" + name; }
  ShellPorts ports_;
};
