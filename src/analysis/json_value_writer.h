// A tree written into one nlohmann JSON value in memory, the same value that parsing what
// JsonStream writes would give (texts with each broken UTF-8 sequence as U+FFFD): so that a
// member can be compared with what a file holds without writing text and reading it back.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/tree_writer.h"

namespace mivalto {

class JsonValueWriter final : public TreeWriter {
 public:
  void BeginObject() override;
  void EndObject() override;
  void BeginArray() override;
  void EndArray() override;
  void Key(std::string_view key) override;
  void String(std::string_view utf8) override;
  void Integer(std::int64_t value) override;
  void Unsigned(std::uint64_t value) override;
  void Bool(bool value) override;
  void Null() override;

  // The value written, once its containers are closed.
  nlohmann::json Take() { return std::move(root_); }

 private:
  nlohmann::json& Next();

  nlohmann::json root_;
  std::vector<nlohmann::json*> open_;
  std::string key_;
};

}  // namespace mivalto
