#include "model/registered_graph.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace mivalto {
namespace {

bool Unregistered(const FilterModel& filter) { return filter.registered == false; }

// Old position to new, 0 for a dropped filter.
std::vector<int> NewPositions(const GraphModel& graph) {
  std::vector<int> positions(graph.filters.size() + 1, 0);
  int next = 0;
  for (const FilterModel& filter : graph.filters) {
    if (!Unregistered(filter)) positions[static_cast<std::size_t>(filter.position)] = ++next;
  }
  return positions;
}

std::string FourDigits(int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", number);
  return digits;
}

void Renumber(PinEnd& end, const std::vector<int>& positions) {
  end.position = positions[static_cast<std::size_t>(end.position)];
  end.id = FourDigits(end.position);
}

// A clock given by a filter: the system clock when that filter is dropped, else its new id
// (a clock named by CLSID stays so). True when it was reset.
bool RenumberClock(ClockModel& clock, const std::vector<int>& positions) {
  if (clock.kind != ClockKind::kFilter) return false;
  const int position = positions[static_cast<std::size_t>(*clock.position)];
  if (position == 0) {
    clock.reference = GuidText(kClsidSystemClock);
    clock.kind = ClockKind::kSystem;
    clock.position.reset();
    return true;
  }
  if (!ParseGuid(*clock.reference)) clock.reference = FourDigits(position);
  clock.position = position;
  return false;
}

template <typename Item, typename Dropped>
std::vector<Item> MoveOut(std::deque<Item>& items, Dropped dropped) {
  std::vector<Item> out;
  std::copy_if(items.begin(), items.end(), std::back_inserter(out), dropped);
  items.erase(std::remove_if(items.begin(), items.end(), dropped), items.end());
  return out;
}

}  // namespace

DroppedParts DropUnregistered(GraphModel& graph) {
  const std::vector<int> positions = NewPositions(graph);
  const auto gone = [&](const std::optional<PinEnd>& end) {
    return positions[static_cast<std::size_t>(end->position)] == 0;
  };
  DroppedParts dropped;
  dropped.connections = MoveOut(graph.connections, [&](const ConnectionModel& c) {
    return gone(c.from) || gone(c.to);
  });
  for (ConnectionModel& connection : graph.connections) {
    Renumber(*connection.from, positions);
    Renumber(*connection.to, positions);
  }
  if (graph.clock) dropped.clock_reset = RenumberClock(*graph.clock, positions);
  dropped.filters = MoveOut(graph.filters, Unregistered);
  for (FilterModel& filter : graph.filters) {
    filter.position = positions[static_cast<std::size_t>(filter.position)];
    filter.id = FourDigits(filter.position);
  }
  return dropped;
}

}  // namespace mivalto
