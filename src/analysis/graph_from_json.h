// A graph model from the graph of a JSON report, as a person may have edited it: only the facts
// a graph file stores are read (version, filters' ids, names, CLSIDs, files and data,
// connections' ends and media types with their format bytes, the clock); what the program
// derives from them is recomputed by the walk. A connection end names its filter by `id`,
// which wins over `position`. Every fault names its place as a JSON pointer. The members read
// and their order are the member tables' (graph_members.h); the readers their rows name are
// here, each with the checks of its member.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/json_input.h"
#include "analysis/member_table.h"
#include "model/graph_model.h"

namespace mivalto {

// graph: what ReadReportGraph gives. A format field's edited number goes into the
// format's bytes (see WriteEditedNumbers); numbers_written, when given, gets the pointer of
// each such field. Throws JsonInputError: a member missing or of the wrong type, bad hex, a
// malformed GUID, a text the file format can't store (a double quote), a duplicate filter id,
// a connection or a clock to a filter that does not exist, an edited number refused.
GraphModel GraphFromJson(const ReportGraph& graph,
                         std::vector<std::string>* numbers_written = nullptr);

// What the readers share while one graph is read.
struct GraphReadContext : ReadContext {
  GraphModel* graph = nullptr;
  std::map<std::string, int, std::less<>> ids;  // the filters read so far, by id
  std::vector<std::string> numbers_written;
};

// The readers the graph's member tables name, for their members (`graph`, `entry`: the model
// object of the table's kind).
void ReadVersion(const JsonAt& object, const MemberRow& row, void* graph, ReadContext& context);
void ReadClock(const JsonAt& object, const MemberRow& row, void* graph, ReadContext& context);
void ReadFilterId(const JsonAt& object, const MemberRow& row, void* filter, ReadContext& context);
void ReadFilterData(const JsonAt& object, const MemberRow& row, void* filter, ReadContext& context);
void ReadFileKeyword(const JsonAt& object, const MemberRow& row, void* file, ReadContext& context);
void ReadFormatGuid(const JsonAt& object, const MemberRow& row, void* format, ReadContext& context);
void ReadFormatBytes(const JsonAt& object, const MemberRow& row, void* format,
                     ReadContext& context);
void ReadEditedNumbers(const JsonAt& object, const MemberRow& row, void* format,
                       ReadContext& context);
void ReadClockReference(const JsonAt& object, const MemberRow& row, void* clock,
                        ReadContext& context);
// What is read of a whole filter (its place, its id not seen before) and of a whole pin end
// (the filter it names).
void ReadFilterPlace(const JsonAt& object, void* filter, ReadContext& context);
void ReadPinTarget(const JsonAt& object, void* end, ReadContext& context);

}  // namespace mivalto
