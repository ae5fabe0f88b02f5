#include "tests/fakes/fake_file_system.h"

#include <algorithm>

#include "shared/text.h"

namespace fakes {

using shared::Result;
using shared::Status;

namespace {
Status Error(std::int32_t code) { return Status::Error(code, shared::DefaultErrorText(code)); }
}  // namespace

FakeFileSystem::FakeFileSystem() { AddFolder("C:\\"); }

std::string FakeFileSystem::Normalize(const std::string& path) {
  std::string out = shared::UpToNul(path);
  std::replace(out.begin(), out.end(), '/', '\\');
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  if (out.size() == 2 && out[1] == ':') out += '\\';
  return out;
}

std::string FakeFileSystem::Parent(const std::string& normalized) {
  const auto slash = normalized.find_last_of('\\');
  if (slash == std::string::npos || normalized.size() <= 3) return {};
  return normalized.substr(0, slash == 2 ? 3 : slash);
}

FakeFileSystem::Node* FakeFileSystem::Find(const std::string& path) {
  const auto found = nodes_.find(shared::ToLowerAscii(Normalize(path)));
  return found == nodes_.end() ? nullptr : &found->second;
}

void FakeFileSystem::AddFolder(const std::string& path) {
  const std::string normalized = Normalize(path);
  if (normalized.empty() || Find(normalized) != nullptr) return;
  const std::string parent = Parent(normalized);
  if (!parent.empty()) AddFolder(parent);
  Node node;
  node.path = normalized;
  node.attributes.directory = true;
  node.order = nextOrder_++;
  nodes_[shared::ToLowerAscii(normalized)] = node;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& contents,
                             shared::FileAttributes attributes) {
  const std::string normalized = Normalize(path);
  AddFolder(Parent(normalized));
  Node& node = nodes_[shared::ToLowerAscii(normalized)];
  if (node.path.empty()) node.order = nextOrder_++;
  node.path = normalized;
  node.attributes = attributes;
  node.contents = contents;
}

void FakeFileSystem::SetAttributes(const std::string& path, shared::FileAttributes attributes) {
  if (Node* node = Find(path)) node->attributes = attributes;
}

void FakeFileSystem::RemoveEmptyFolder(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr || !node->attributes.directory) return;
  const std::string folder = shared::ToLowerAscii(node->path);
  for (const auto& [key, child] : nodes_)
    if (&child != node && shared::ToLowerAscii(Parent(child.path)) == folder) return;
  nodes_.erase(folder);
}

void FakeFileSystem::SetShortPath(const std::string& path, const std::string& shortPath) {
  if (Node* node = Find(path)) node->shortPath = shortPath;
}

std::optional<shared::FileAttributes> FakeFileSystem::GetAttributes(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr) return std::nullopt;
  return node->attributes;
}

std::string FakeFileSystem::GetShortPath(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr) return {};
  return node->shortPath.empty() ? Normalize(path) : node->shortPath;
}

Result<std::vector<shared::DirectoryEntry>> FakeFileSystem::ListDirectory(const std::string& folder) {
  const Node* directory = Find(folder);
  if (directory == nullptr) return Error(shared::kErrorPathNotFound);
  if (!directory->attributes.directory) return Error(shared::kErrorInvalidParameter);
  const std::string parent = shared::ToLowerAscii(directory->path);
  std::vector<const Node*> children;
  for (const auto& [key, node] : nodes_) {
    if (&node != directory && shared::ToLowerAscii(Parent(node.path)) == parent) children.push_back(&node);
  }
  std::sort(children.begin(), children.end(), [](const Node* a, const Node* b) { return a->order < b->order; });
  std::vector<shared::DirectoryEntry> entries;
  for (const Node* child : children)
    entries.push_back({child->path.substr(child->path.find_last_of('\\') + 1), child->attributes});
  return entries;
}

Result<std::string> FakeFileSystem::ReadFile(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr) return Error(Find(Parent(Normalize(path))) ? shared::kErrorFileNotFound
                                                                  : shared::kErrorPathNotFound);
  if (node->attributes.directory) return Error(shared::kErrorAccessDenied);
  if (Locked(path)) return Error(shared::kErrorSharingViolation);
  return node->contents;
}

bool FakeFileSystem::Locked(const std::string& path) const {
  return !locked_.empty() && shared::ToLowerAscii(Normalize(path)) == shared::ToLowerAscii(locked_);
}

Status FakeFileSystem::CheckWritable(const std::string& path) {
  if (failWrites_) return Error(shared::kErrorAccessDenied);
  if (Locked(path)) return Error(shared::kErrorSharingViolation);
  const Node* parent = Find(Parent(Normalize(path)));
  if (parent == nullptr || !parent->attributes.directory) return Error(shared::kErrorPathNotFound);
  const Node* node = Find(path);
  if (node != nullptr && (node->attributes.directory || node->attributes.readOnly))
    return Error(shared::kErrorAccessDenied);
  return Status::Ok();
}

Status FakeFileSystem::WriteFileAtomic(const std::string& path, const std::string& contents) {
  if (Status writable = CheckWritable(path); !writable.ok()) return writable;
  const Node* existing = Find(path);
  AddFile(path, contents, existing ? existing->attributes : shared::FileAttributes{});
  return Status::Ok();
}

Status FakeFileSystem::AppendFile(const std::string& path, const std::string& contents) {
  if (Status writable = CheckWritable(path); !writable.ok()) return writable;
  return WriteFileAtomic(path, ReadFile(path).value_or("") + contents);
}

Status FakeFileSystem::RemoveFile(const std::string& path) {
  const Node* node = Find(path);
  if (node == nullptr) return Error(shared::kErrorFileNotFound);
  if (node->attributes.directory || node->attributes.readOnly) return Error(shared::kErrorAccessDenied);
  if (Locked(path)) return Error(shared::kErrorSharingViolation);
  nodes_.erase(shared::ToLowerAscii(Normalize(path)));
  return Status::Ok();
}

Status FakeFileSystem::ClearReadOnly(const std::string& path) {
  Node* node = Find(path);
  if (node == nullptr) return Error(shared::kErrorFileNotFound);
  node->attributes.readOnly = false;
  return Status::Ok();
}

Status FakeFileSystem::CreateFolder(const std::string& path) {
  const Node* node = Find(path);
  if (node != nullptr) return node->attributes.directory ? Status::Ok() : Error(shared::kErrorAlreadyExists);
  if (failWrites_) return Error(shared::kErrorAccessDenied);
  const Node* parent = Find(Parent(Normalize(path)));
  if (parent == nullptr || !parent->attributes.directory) return Error(shared::kErrorPathNotFound);
  AddFolder(path);
  return Status::Ok();
}

}  // namespace fakes
