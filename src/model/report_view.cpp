#include "model/report_view.h"

#include <algorithm>
#include <cstring>

namespace mivalto {
namespace {

// A small report fits in its first block; a large one goes on in blocks of large memory.
constexpr std::size_t kFirstBlockSize = std::size_t{16} << 10;
constexpr std::size_t kBlockSize = kLargeMemoryThreshold;

}  // namespace

// By hand rather than by a formatting call: the JSON report writes one per line.
std::string ColorHex(Color c) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(1, '#');
  for (const std::uint8_t part : {RedOf(c), GreenOf(c), BlueOf(c)}) {
    text += kDigits[part >> 4];
    text += kDigits[part & 0xF];
  }
  return text;
}

ReportView::ReportView(const ReportView& other) { *this = other; }

ReportView& ReportView::operator=(const ReportView& other) {
  if (this == &other) return *this;
  Clear();
  lines_.reserve(other.lines_.size());
  for (const ReportLine& line : other.lines_) {
    lines_.push_back({Keep(line.text), line.color, line.bold, line.web_site});
  }
  color_ = other.color_;
  bold_ = other.bold_;
  return *this;
}

void ReportView::Clear() {
  lines_.clear();
  blocks_.clear();
  block_used_ = 0;
  color_ = kBlack;
  bold_ = false;
}

std::string_view ReportView::Keep(std::string_view text) {
  if (text.empty()) return {};
  // No block yet (a new, cleared or moved-from view) means no room, whatever block_used_ says.
  if (blocks_.empty() || text.size() > blocks_.back().get_deleter().bytes - block_used_) {
    // A text longer than a block gets one to itself.
    blocks_.push_back(
        AllocateLargeBlock(std::max(text.size(), blocks_.empty() ? kFirstBlockSize : kBlockSize)));
    block_used_ = 0;
  }
  char* at = blocks_.back().get() + block_used_;
  std::memcpy(at, text.data(), text.size());
  block_used_ += text.size();
  return {at, text.size()};
}

void ReportView::AppendWebSiteLine(std::string_view text) {
  web_site_ = true;
  Append(text);
  web_site_ = false;
}

void ReportView::Append(std::string_view text) {
  constexpr std::string_view kBreak = "\r\n";
  for (;;) {
    const std::size_t end = text.find(kBreak);
    const std::string_view line = text.substr(0, end);
    if (consumer_) {
      consumer_->TakeLine({line, color_, bold_, web_site_});
    } else {
      AppendToLargeVector(lines_, ReportLine{Keep(line), color_, bold_, web_site_});
    }
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + kBreak.size());
  }
}

}  // namespace mivalto
