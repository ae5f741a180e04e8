#pragma once
// An in-memory registry for the settings tests: keys by path (case-insensitive
// like the real one), values in creation order as the real enumeration gives them.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/RegistryAccess.h"
#include "app/Settings.h"
#include "app/TextUtil.h"

class MemoryRegistry : public zv::SettingsHost {
 public:
  using Values = std::vector<std::pair<std::u16string, zv::RegValue>>;

  std::unique_ptr<zv::RegistryKey> OpenKey(const std::u16string& path) override {
    auto found = keys_.find(zv::FoldCase(path));
    if (found == keys_.end()) return nullptr;
    return std::make_unique<Key>(found->second);
  }
  std::unique_ptr<zv::RegistryKey> CreateKey(const std::u16string& path) override {
    if (failCreate) return nullptr;
    return std::make_unique<Key>(Make(path));
  }
  bool DeleteKeyTree(const std::u16string& path) override {
    std::u16string folded = zv::FoldCase(path);
    bool any = false;
    for (auto it = keys_.begin(); it != keys_.end();) {
      bool below = it->first == folded || it->first.rfind(folded + u"\\", 0) == 0;
      if (below) {
        it = keys_.erase(it);
        any = true;
      } else {
        ++it;
      }
    }
    return any;
  }
  bool DirectoryExists(const std::u16string& path) override {
    for (const auto& dir : directories)
      if (dir == path) return true;
    return false;
  }
  std::u16string ProgramFolder() override { return programFolder; }
  std::u16string TempFolder() override { return tempFolder; }
  void ApplyFileAssociations(const CSettings& settings) override {
    ++applyCount;
    appliedTypes.clear();
    for (CFileAssocs* node = settings.FileTypes.Head(); node; node = node->Next)
      appliedTypes.emplace_back(node->Extension, node->Flags);
  }

  // Direct access for arranging and checking.
  void Put(const std::u16string& path, const std::u16string& name, zv::RegValue value) {
    Key(Make(path)).Store(name, std::move(value));
  }
  bool HasKey(const std::u16string& path) const { return keys_.count(zv::FoldCase(path)) != 0; }
  const zv::RegValue* Get(const std::u16string& path, const std::u16string& name) const {
    auto key = keys_.find(zv::FoldCase(path));
    if (key == keys_.end()) return nullptr;
    for (const auto& entry : key->second)
      if (zv::EqualsNoCase(entry.first, name)) return &entry.second;
    return nullptr;
  }
  const Values* ValuesOf(const std::u16string& path) const {
    auto key = keys_.find(zv::FoldCase(path));
    return key == keys_.end() ? nullptr : &key->second;
  }

  std::vector<std::u16string> directories;
  std::u16string programFolder = u"C:\\Program\\";
  std::u16string tempFolder = u"C:\\Temp\\";
  int applyCount = 0;
  std::vector<std::pair<std::u16string, int>> appliedTypes;
  bool failCreate = false;

 private:
  // Like the real registry, a key brings its parent keys into existence.
  Values& Make(const std::u16string& path) {
    std::u16string folded = zv::FoldCase(path);
    for (size_t slash = folded.find(u'\\'); slash != std::u16string::npos;
         slash = folded.find(u'\\', slash + 1))
      keys_[folded.substr(0, slash)];
    return keys_[folded];
  }

  class Key : public zv::RegistryKey {
   public:
    explicit Key(Values& values) : values_(values) {}
    bool QueryValue(const std::u16string& name, zv::RegValue& value) override {
      for (const auto& entry : values_)
        if (zv::EqualsNoCase(entry.first, name)) {
          value = entry.second;
          return true;
        }
      return false;
    }
    zv::EnumResult EnumValue(uint32_t index, std::u16string& name, zv::RegValue& value) override {
      if (index >= values_.size()) return zv::EnumResult::NoMoreItems;
      name = values_[index].first;
      value = values_[index].second;
      return zv::EnumResult::Ok;
    }
    bool SetDword(const std::u16string& name, uint32_t data) override {
      Store(name, zv::EncodeDword(data));
      return true;
    }
    bool SetString(const std::u16string& name, const std::u16string& data) override {
      Store(name, zv::EncodeString(data));
      return true;
    }
    void Store(const std::u16string& name, zv::RegValue value) {
      for (auto& entry : values_)
        if (zv::EqualsNoCase(entry.first, name)) {
          entry.second = std::move(value);
          return;
        }
      values_.emplace_back(name, std::move(value));
    }

   private:
    Values& values_;
  };

  std::map<std::u16string, Values> keys_;
};
