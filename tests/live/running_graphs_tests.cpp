// The portable part of the running graphs: live: inputs, the process id in a registered
// name, and the choice of a graph among those listed (the answer where there is no table is
// the command line's test).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "live/running_graphs.h"

namespace mivalto {
namespace {

struct NameCase {
  std::string input;
  std::optional<std::uint32_t> process_id;  // none: refused
  std::optional<int> number = std::nullopt;
};

TEST(LiveGraphName, ParsesProcessAndNumber) {
  const NameCase cases[] = {
      {"live:4242", 4242u},
      {"live:0", 0u},
      {"live:4294967295", 4294967295u},
      {"live:4294967296", std::nullopt},
      {"live:4242/1", 4242u, 1},
      {"live:4242/0", std::nullopt},
      {"live:", std::nullopt},
      {"live:-1", std::nullopt},
      {"live: 1", std::nullopt},
      {"live:12x", std::nullopt},
      {"live:1/2/3", std::nullopt},
      {"LIVE:1", std::nullopt},
      {"graph.grf", std::nullopt},
  };
  for (const NameCase& c : cases) {
    const std::optional<LiveGraphName> name = ParseLiveGraphName(c.input);
    ASSERT_EQ(name.has_value(), c.process_id.has_value()) << c.input;
    if (!name) continue;
    EXPECT_EQ(name->process_id, *c.process_id) << c.input;
    EXPECT_EQ(name->number, c.number) << c.input;
  }
}

// The names DirectShow's samples and the tools that add to them register.
TEST(LiveGraphName, FindsTheProcessIdInRegisteredNames) {
  const std::pair<std::string, std::optional<std::uint32_t>> cases[] = {
      {"FilterGraph 0012f4e0 pid 00001092", 0x1092u},
      {"FilterGraph 000000000012f4e0 pid 0000abcd", 0xabcdu},
      {"FilterGraph 0012f4e0 pid 00001092 GraphStudioNext", 0x1092u},
      {"FilterGraph 0012f4e0 pid 00001092; process: app.exe, time: 10-11-12", 0x1092u},
      {"FilterGraph 0012f4e0 pid ffffffff", 0xffffffffu},
      {"FilterGraph 0012f4e0 pid 100000000", std::nullopt},
      {"FilterGraph 0012f4e0 pid ", std::nullopt},
      {"FilterGraph 0012f4e0", std::nullopt},
  };
  for (const auto& [name, process_id] : cases) {
    EXPECT_EQ(ProcessIdOfGraphName(name), process_id) << name;
  }
}

TEST(ChooseRunningGraph, TakesTheProcessGraphOrSaysWhy) {
  const std::vector<RunningGraph> graphs = {
      {1, 10u, "a.exe", "FilterGraph 1 pid a"},
      {2, std::nullopt, "", "FilterGraph 2"},
      {3, 20u, "b.exe", "FilterGraph 3 pid 14"},
      {4, 20u, "b.exe", "FilterGraph 4 pid 14"},
  };
  EXPECT_EQ(ChooseRunningGraph(graphs, {10u, std::nullopt}).number, 1);
  EXPECT_EQ(ChooseRunningGraph(graphs, {20u, 4}).number, 4);
  const std::pair<LiveGraphName, std::string> refused[] = {
      {{30u, std::nullopt}, "aucun graphe publié par le processus 30 (--live les liste)"},
      {{20u, std::nullopt},
       "le processus 20 publie plusieurs graphes (3, 4 dans --live) : live:20/N en choisit un"},
      {{10u, 3}, "le graphe 3 de --live n'est pas publié par le processus 10"},
      {{0u, 2}, "le graphe 2 de --live n'est pas publié par le processus 0"},
  };
  for (const auto& [name, message] : refused) {
    try {
      ChooseRunningGraph(graphs, name);
      ADD_FAILURE() << message;
    } catch (const LiveGraphError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
}

}  // namespace
}  // namespace mivalto
