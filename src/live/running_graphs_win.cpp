// The Running Object Table's graphs, through COM. Every call runs on a thread of its own in
// the multithreaded apartment, which needs no message loop while another process calls back
// (the saved stream's writes); the caller waits while the program goes on answering.
#include <windows.h>
#include <dshow.h>
#include <objidl.h>
#include <wrl/client.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <future>
#include <iterator>
#include <memory>
#include <thread>

#include "base/file_path.h"
#include "base/running_graph_texts.h"
#include "catalogue/com_support.h"
#include "live/running_graphs.h"
#include "platform/wide_text.h"

namespace mivalto {
namespace {

using Microsoft::WRL::ComPtr;

constexpr std::wstring_view kGraphNameStart = L"!FilterGraph";
constexpr std::size_t kMostFilters = 9999;  // a graph text numbers its filters with four digits

// A call that failed, named as the documentation names it, with what it gave.
struct CallFailed {
  const char* call;
  HRESULT result;
};

void Check(HRESULT result, const char* call) {
  if (FAILED(result)) throw CallFailed{call, result};
}

std::string HresultText(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(result));
  return text;
}

// COM's multithreaded apartment for the life of the reading thread.
class MultithreadedApartment {
 public:
  MultithreadedApartment() {
    Check(CoInitializeEx(nullptr, COINIT_MULTITHREADED), "CoInitializeEx");
  }
  ~MultithreadedApartment() { CoUninitialize(); }
  MultithreadedApartment(const MultithreadedApartment&) = delete;
  MultithreadedApartment& operator=(const MultithreadedApartment&) = delete;
};

// What the waiting thread sees of the reading one: its steps, counted as the program answers.
template <typename Result>
struct Job {
  std::atomic<unsigned> steps{0};
  std::promise<Result> result;
};

// work(steps) on a thread of its own; none when the program let kAnswerSeconds go by without
// a step. The thread then stays blocked in its call, and ends with the process.
template <typename Result, typename Work>
std::optional<Result> RunWhileAnswering(Work work) {
  using Clock = std::chrono::steady_clock;
  const auto job = std::make_shared<Job<Result>>();
  std::future<Result> result = job->result.get_future();
  std::thread([job, work] {
    try {
      const MultithreadedApartment com;
      job->result.set_value(work(job->steps));
    } catch (...) {
      job->result.set_exception(std::current_exception());
    }
  }).detach();
  unsigned seen = 0;
  Clock::time_point last_answer = Clock::now();
  while (result.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
    if (const unsigned steps = job->steps.load(); steps != seen) {
      seen = steps;
      last_answer = Clock::now();
    } else if (Clock::now() - last_answer >= std::chrono::seconds(kAnswerSeconds)) {
      return std::nullopt;
    }
  }
  return result.get();
}

// The file name of the process's program; "" when the process can't be asked.
std::string ProgramOf(DWORD process_id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD length = static_cast<DWORD>(std::size(path));
  const BOOL found = QueryFullProcessImageNameW(process, 0, path, &length);
  CloseHandle(process);
  return found ? FileNameOf(WideToUtf8(std::wstring_view(path, length))) : std::string();
}

struct ListedGraph {
  RunningGraph graph;
  ComPtr<IMoniker> moniker;
};

std::vector<ListedGraph> ListTable(IRunningObjectTable* table, std::atomic<unsigned>& steps) {
  ComPtr<IEnumMoniker> monikers;
  Check(table->EnumRunning(&monikers), "IRunningObjectTable::EnumRunning");
  ComPtr<IBindCtx> context;
  Check(CreateBindCtx(0, &context), "CreateBindCtx");
  std::vector<ListedGraph> listed;
  ComPtr<IMoniker> moniker;
  ULONG fetched = 0;
  while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), &fetched) == S_OK && fetched == 1) {
    wchar_t* raw_name = nullptr;
    if (FAILED(moniker->GetDisplayName(context.Get(), nullptr, &raw_name))) continue;
    const CoTaskText display_name(raw_name);
    const std::wstring_view name(display_name.get() ? display_name.get() : L"");
    if (!name.starts_with(kGraphNameStart)) continue;
    ListedGraph& entry = listed.emplace_back();
    entry.graph.number = static_cast<int>(listed.size());
    entry.graph.name = WideToUtf8(name.substr(1));
    entry.graph.process_id = ProcessIdOfGraphName(entry.graph.name);
    if (entry.graph.process_id) entry.graph.program = ProgramOf(*entry.graph.process_id);
    entry.moniker = moniker;
    ++steps;
  }
  return listed;
}

ComPtr<IRunningObjectTable> RunningObjectTable() {
  ComPtr<IRunningObjectTable> table;
  Check(GetRunningObjectTable(0, &table), "GetRunningObjectTable");
  return table;
}

// The stream a remote Save writes into, through calls from the other process: each one is an
// answer, so that a long save of a large graph is not taken for silence. The rest of the
// work is the memory stream's.
class AnsweringStream final : public IStream {
 public:
  AnsweringStream(ComPtr<IStream> stream, std::atomic<unsigned>& steps)
      : stream_(std::move(stream)), steps_(steps) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    *object = nullptr;
    if (id != IID_IUnknown && id != IID_ISequentialStream && id != IID_IStream)
      return E_NOINTERFACE;
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Read(void* to, ULONG size, ULONG* read) override {
    ++steps_;
    return stream_->Read(to, size, read);
  }
  HRESULT STDMETHODCALLTYPE Write(const void* from, ULONG size, ULONG* written) override {
    ++steps_;
    return stream_->Write(from, size, written);
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* at) override {
    ++steps_;
    return stream_->Seek(move, origin, at);
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override { return stream_->SetSize(size); }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* to, ULARGE_INTEGER size, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    return stream_->CopyTo(to, size, read, written);
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override { return stream_->Commit(flags); }
  HRESULT STDMETHODCALLTYPE Revert() override { return stream_->Revert(); }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER at, ULARGE_INTEGER size,
                                       DWORD type) override {
    return stream_->LockRegion(at, size, type);
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER at, ULARGE_INTEGER size,
                                         DWORD type) override {
    return stream_->UnlockRegion(at, size, type);
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override {
    return stream_->Stat(stat, flags);
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override {
    *clone = nullptr;
    return E_NOTIMPL;  // a clone would write where no answer is counted
  }

 private:
  ~AnsweringStream() = default;
  ComPtr<IStream> stream_;
  std::atomic<unsigned>& steps_;
  LONG references_ = 1;
};

// What an IPersistStream writes, without marking the object saved (fClearDirty FALSE): the
// program sees no change. Gives the failure's HRESULT, S_OK with the bytes.
HRESULT SaveOf(IPersistStream* persist, std::vector<std::uint8_t>& bytes,
               std::atomic<unsigned>& steps) {
  ComPtr<IStream> memory_stream;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, &memory_stream), "CreateStreamOnHGlobal");
  ComPtr<IStream> stream;
  stream.Attach(new AnsweringStream(memory_stream, steps));
  const HRESULT saved = persist->Save(stream.Get(), FALSE);
  if (FAILED(saved)) return saved;
  STATSTG stat{};
  Check(memory_stream->Stat(&stat, STATFLAG_NONAME), "IStream::Stat");
  HGLOBAL memory = nullptr;
  Check(GetHGlobalFromStream(memory_stream.Get(), &memory), "GetHGlobalFromStream");
  const auto* start = static_cast<const std::uint8_t*>(GlobalLock(memory));
  if (start == nullptr && stat.cbSize.QuadPart > 0) return E_OUTOFMEMORY;
  bytes.assign(start, start + stat.cbSize.QuadPart);
  GlobalUnlock(memory);
  return S_OK;
}

// The object's IPersistStream save, when it has one and it works.
std::optional<std::vector<std::uint8_t>> SavedBy(IUnknown* object, std::atomic<unsigned>& steps) {
  ComPtr<IPersistStream> persist;
  if (FAILED(object->QueryInterface(IID_PPV_ARGS(persist.GetAddressOf())))) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  if (FAILED(SaveOf(persist.Get(), bytes, steps))) return std::nullopt;
  return bytes;
}

std::string FourDigits(int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", number);
  return digits;
}

// A text the graph text holds between double quotes.
std::string StorableText(std::wstring_view text) {
  if (text.find(L'"') != std::wstring_view::npos) {
    throw LiveGraphError(std::string(texts::kQuoteInRunningGraph));
  }
  return WideToUtf8(text);
}

// The filter's file, from IFileSourceFilter (SOURCE) or IFileSinkFilter (SINK); a filter that
// has the interface but does not say its file (Wine's File Writer) is counted as unread.
template <typename FileFilter>
std::optional<FileClause> FileClauseOf(IBaseFilter* filter, std::string_view keyword,
                                       FilterModel& model, UnreadFacts& unread) {
  ComPtr<FileFilter> file;
  if (FAILED(filter->QueryInterface(IID_PPV_ARGS(file.GetAddressOf())))) return std::nullopt;
  wchar_t* raw_path = nullptr;
  AM_MEDIA_TYPE type{};
  const HRESULT found = file->GetCurFile(&raw_path, &type);
  const CoTaskText path(raw_path);
  CoTaskMemFree(type.pbFormat);
  if (type.pUnk) type.pUnk->Release();
  if (FAILED(found)) unread.files.push_back(model.id);
  if (FAILED(found) || !path) return std::nullopt;
  return FileClause{std::string(keyword), StorableText(path.get())};
}

FilterModel FilterOf(IBaseFilter* filter, int position, UnreadFacts& unread,
                     std::atomic<unsigned>& steps) {
  FilterModel model;
  model.position = position;
  model.id = FourDigits(position);
  FILTER_INFO info{};
  Check(filter->QueryFilterInfo(&info), "IBaseFilter::QueryFilterInfo");
  if (info.pGraph) info.pGraph->Release();
  model.name = StorableText(info.achName);
  CLSID clsid{};
  Check(filter->GetClassID(&clsid), "IBaseFilter::GetClassID");
  model.clsid = GuidFromWin(clsid);
  model.file = FileClauseOf<IFileSourceFilter>(filter, "SOURCE", model, unread);
  if (!model.file) model.file = FileClauseOf<IFileSinkFilter>(filter, "SINK", model, unread);
  if (auto data = SavedBy(filter, steps)) {
    model.data = std::move(*data);
  } else {
    unread.data.push_back(model.id);
  }
  model.data_size = static_cast<std::uint32_t>(model.data.size());
  return model;
}

// The graph's filters in the order they were added: EnumFilters gives the newest first.
std::vector<ComPtr<IBaseFilter>> FiltersOf(IFilterGraph* graph) {
  ComPtr<IEnumFilters> found;
  Check(graph->EnumFilters(&found), "IFilterGraph::EnumFilters");
  std::vector<ComPtr<IBaseFilter>> filters;
  ComPtr<IBaseFilter> filter;
  ULONG fetched = 0;  // a proxy's Next gives nothing without it
  while (found->Next(1, filter.ReleaseAndGetAddressOf(), &fetched) == S_OK && fetched == 1) {
    if (filters.size() == kMostFilters) throw LiveGraphError(std::string(texts::kTooManyFilters));
    filters.push_back(filter);
  }
  return {filters.rbegin(), filters.rend()};
}

std::vector<ComPtr<IPin>> PinsOf(IBaseFilter* filter) {
  ComPtr<IEnumPins> found;
  Check(filter->EnumPins(&found), "IBaseFilter::EnumPins");
  std::vector<ComPtr<IPin>> pins;
  ComPtr<IPin> pin;
  ULONG fetched = 0;
  while (found->Next(1, pin.ReleaseAndGetAddressOf(), &fetched) == S_OK && fetched == 1) {
    pins.push_back(pin);
  }
  return pins;
}

// The object's COM identity, which two proxies of one object share.
ComPtr<IUnknown> IdentityOf(IUnknown* object) {
  ComPtr<IUnknown> identity;
  Check(object->QueryInterface(IID_PPV_ARGS(identity.GetAddressOf())), "QueryInterface(IUnknown)");
  return identity;
}

// Positions from 1, as the filters were numbered; 0 for an object that is none of them. The
// pointers are compared: mingw-w64's ComPtr == compares only whether both are set.
using Identities = std::vector<ComPtr<IUnknown>>;
int PositionOf(IUnknown* object, const Identities& filters) {
  const ComPtr<IUnknown> identity = IdentityOf(object);
  for (std::size_t i = 0; i < filters.size(); ++i) {
    if (filters[i].Get() == identity.Get()) return static_cast<int>(i + 1);
  }
  return 0;
}

// The pin's id, which a graph file names it by.
PinEnd PinEndOf(IPin* pin, int position) {
  wchar_t* raw_id = nullptr;
  Check(pin->QueryId(&raw_id), "IPin::QueryId");
  const CoTaskText id(raw_id);
  return PinEnd{position, StorableText(id.get() ? id.get() : L""), FourDigits(position)};
}

MediaTypeModel MediaTypeOf(const AM_MEDIA_TYPE& type) {
  MediaTypeModel media;
  media.major_type = NamedGuid{GuidFromWin(type.majortype), {}};
  media.subtype = NamedGuid{GuidFromWin(type.subtype), {}};
  media.fixed_size_samples = type.bFixedSizeSamples != FALSE;
  media.temporal_compression = type.bTemporalCompression != FALSE;
  media.sample_size = type.lSampleSize;
  FormatModel& format = media.format.emplace();
  format.type = NamedGuid{GuidFromWin(type.formattype), {}};
  // A count without a block is taken as no block: the text counts the bytes it holds.
  if (type.pbFormat) format.bytes.assign(type.pbFormat, type.pbFormat + type.cbFormat);
  format.size = static_cast<std::int32_t>(format.bytes.size());
  return media;
}

// The connection from an output pin, if it has one.
std::optional<ConnectionModel> ConnectionFrom(IPin* pin, int position, const Identities& filters) {
  PIN_DIRECTION direction = PINDIR_INPUT;
  Check(pin->QueryDirection(&direction), "IPin::QueryDirection");
  ComPtr<IPin> peer;
  if (direction != PINDIR_OUTPUT || pin->ConnectedTo(&peer) != S_OK || !peer) return std::nullopt;
  PIN_INFO peer_info{};
  Check(peer->QueryPinInfo(&peer_info), "IPin::QueryPinInfo");
  ComPtr<IBaseFilter> peer_filter;
  peer_filter.Attach(peer_info.pFilter);
  const int peer_position = peer_filter ? PositionOf(peer_filter.Get(), filters) : 0;
  if (peer_position == 0) return std::nullopt;  // a pin outside the graph: no entry can name it
  AM_MEDIA_TYPE type{};
  Check(pin->ConnectionMediaType(&type), "IPin::ConnectionMediaType");
  ConnectionModel connection;
  connection.media_type = MediaTypeOf(type);
  CoTaskMemFree(type.pbFormat);
  if (type.pUnk) type.pUnk->Release();
  connection.from = PinEndOf(pin, position);
  connection.to = PinEndOf(peer.Get(), peer_position);
  return connection;
}

// The graph's reference clock: a filter's (by identity), none, or else a clock of its own
// class, which is the system clock when the clock does not say its class.
ClockModel ClockOf(IFilterGraph* graph, const Identities& filters) {
  ComPtr<IMediaFilter> media;
  Check(graph->QueryInterface(IID_PPV_ARGS(media.GetAddressOf())), "QueryInterface(IMediaFilter)");
  ComPtr<IReferenceClock> clock;
  Check(media->GetSyncSource(&clock), "IMediaFilter::GetSyncSource");
  ClockModel model;
  model.required = true;
  if (!clock) {
    model.reference = "0000";
  } else if (const int position = PositionOf(clock.Get(), filters)) {
    model.reference = FourDigits(position);
  } else {
    ComPtr<IPersist> persist;
    CLSID clsid = WinGuidFrom(kClsidSystemClock);
    if (SUCCEEDED(clock.As(&persist))) persist->GetClassID(&clsid);
    model.reference = GuidText(GuidFromWin(clsid));
  }
  return model;
}

void WalkGraph(IFilterGraph* graph, LiveGraph& live, std::atomic<unsigned>& steps) {
  GraphModel& model = live.graph;
  model.version = "0003";
  const std::vector<ComPtr<IBaseFilter>> filters = FiltersOf(graph);
  Identities identities;
  for (const ComPtr<IBaseFilter>& filter : filters) {
    model.filters.push_back(
        FilterOf(filter.Get(), static_cast<int>(identities.size() + 1), live.unread, steps));
    identities.push_back(IdentityOf(filter.Get()));
    ++steps;
  }
  for (std::size_t i = 0; i < filters.size(); ++i) {
    for (const ComPtr<IPin>& pin : PinsOf(filters[i].Get())) {
      auto connection = ConnectionFrom(pin.Get(), static_cast<int>(i + 1), identities);
      if (connection) model.connections.push_back(std::move(*connection));
      ++steps;
    }
  }
  model.clock = ClockOf(graph, identities);
}

// Saved when the graph can save itself, else walked.
LiveGraph ReadObject(IUnknown* object, const RunningGraph& entry, std::atomic<unsigned>& steps) {
  LiveGraph live;
  live.entry = entry;
  if (auto text = SavedBy(object, steps)) {
    live.graph_text = std::move(*text);
    return live;
  }
  ++steps;
  ComPtr<IFilterGraph> graph;
  Check(object->QueryInterface(IID_PPV_ARGS(graph.GetAddressOf())), "QueryInterface(IFilterGraph)");
  live.way = LiveReadWay::kWalked;
  WalkGraph(graph.Get(), live, steps);
  return live;
}

LiveGraph ReadChosen(const LiveGraphName& name, std::atomic<unsigned>& steps) {
  const ComPtr<IRunningObjectTable> table = RunningObjectTable();
  std::vector<ListedGraph> listed = ListTable(table.Get(), steps);
  std::vector<RunningGraph> graphs;
  for (const ListedGraph& entry : listed) graphs.push_back(entry.graph);
  const RunningGraph& chosen = ChooseRunningGraph(graphs, name);
  ++steps;
  try {
    ComPtr<IUnknown> object;
    Check(table->GetObject(listed[static_cast<std::size_t>(chosen.number - 1)].moniker.Get(),
                           &object),
          "IRunningObjectTable::GetObject");
    ++steps;
    return ReadObject(object.Get(), chosen, steps);
  } catch (const CallFailed& failed) {
    throw LiveGraphError(texts::NotReadable(texts::ProcessText(chosen.program, name.process_id),
                                            failed.call, HresultText(failed.result)));
  }
}

// A failure of the table itself, before any program was asked.
[[noreturn]] void TableFailed(const CallFailed& failed) {
  throw LiveGraphError(std::string(texts::kRunningObjectTable) + " : " + failed.call + " (" +
                       HresultText(failed.result) + ")");
}

}  // namespace

bool HasRunningObjectTable() { return true; }

std::vector<RunningGraph> ListRunningGraphs() {
  try {
    const auto graphs =
        RunWhileAnswering<std::vector<RunningGraph>>([](std::atomic<unsigned>& steps) {
          std::vector<RunningGraph> graphs;
          for (ListedGraph& entry : ListTable(RunningObjectTable().Get(), steps)) {
            graphs.push_back(std::move(entry.graph));
          }
          return graphs;
        });
    if (!graphs)
      throw LiveGraphError(texts::NotAnswering(texts::kRunningObjectTable, kAnswerSeconds));
    return *graphs;
  } catch (const CallFailed& failed) {
    TableFailed(failed);
  }
}

LiveGraph ReadRunningGraph(const LiveGraphName& name) {
  try {
    auto live = RunWhileAnswering<LiveGraph>(
        [name](std::atomic<unsigned>& steps) { return ReadChosen(name, steps); });
    if (!live) {
      const std::string process = texts::ProcessText(ProgramOf(name.process_id), name.process_id);
      throw LiveGraphError(texts::NotAnswering(process, kAnswerSeconds));
    }
    return std::move(*live);
  } catch (const CallFailed& failed) {
    TableFailed(failed);
  }
}

}  // namespace mivalto
