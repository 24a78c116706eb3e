// The fixed parts of the C++ program that --format cpp generates, in one place: its French
// comments and messages, and the small helpers that every generated BuildGraph calls (checked
// calls that say what failed, with the HRESULT and the system's message).
#pragma once

#include <string_view>

namespace mivalto::cpp_texts {

inline constexpr std::string_view kMadeFrom = "// Programme C++ généré par ";
inline constexpr std::string_view kFromGraphFile = " à partir du fichier de graphe ";
inline constexpr std::string_view kRebuilds = "// BuildGraph(IGraphBuilder*) reconstruit son graphe : ";
inline constexpr std::string_view kFilters = " filtre(s), ";
inline constexpr std::string_view kConnections = " connexion(s).\n";

// After the first lines, which name the graph file: how to build, up to the source's name...
inline constexpr std::string_view kCompileLine = R"cpp(// wmain crée le gestionnaire de graphe de filtres, appelle BuildGraph et dit ce qui s'est
// passé ; il rend 0 quand le graphe est construit, 1 sinon.
// Compilation avec mingw-w64 (-static : le .exe n'a besoin d'aucune de ses DLL) :
//   x86_64-w64-mingw32-g++ -municode -static )cpp";
// ...then, after "SOURCE -o PROGRAM", the libraries, the headers and helpers.
inline constexpr std::string_view kHelpers = R"cpp( -lstrmiids -lquartz -lole32 -luuid
#include <windows.h>
#include <dshow.h>

#include <cwchar>
#include <initializer_list>

// Garde une référence COM et la libère en sortant de portée.
template <class T>
class Held {
 public:
  Held() {}
  ~Held() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  T* get() const { return pointer_; }
  T** put() { return &pointer_; }

 private:
  Held(const Held&);
  Held& operator=(const Held&);
  T* pointer_ = nullptr;
};

// Écrit des morceaux de texte : tels quels sur une console, en UTF-8 ailleurs.
inline void Write(std::initializer_list<const wchar_t*> pieces) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  const bool console = GetConsoleMode(out, &mode) != 0;
  for (const wchar_t* piece : pieces) {
    const int length = static_cast<int>(wcslen(piece));
    DWORD written = 0;
    if (console) {
      WriteConsoleW(out, piece, static_cast<DWORD>(length), &written, nullptr);
      continue;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, piece, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) continue;
    char* bytes = new char[size];
    WideCharToMultiByte(CP_UTF8, 0, piece, length, bytes, size, nullptr, nullptr);
    WriteFile(out, bytes, static_cast<DWORD>(size), &written, nullptr);
    delete[] bytes;
  }
}

// Écrit une ligne faite de morceaux.
inline void Say(std::initializer_list<const wchar_t*> pieces) {
  Write(pieces);
  Write({L"\r\n"});
}

// Dit ce qui a échoué, avec le HRESULT en hexadécimal et le message du système, et le rend.
inline HRESULT Fail(HRESULT hr, std::initializer_list<const wchar_t*> what) {
  wchar_t code[16];
  swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  wchar_t message[512] = L"";
  if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(hr), 0, message, 512, nullptr) == 0) {
    AMGetErrorTextW(hr, message, 512);
  }
  size_t end = wcslen(message);
  while (end > 0 && (message[end - 1] == L'\r' || message[end - 1] == L'\n' ||
                     message[end - 1] == L' ' || message[end - 1] == L'.')) {
    message[--end] = L'\0';
  }
  Write({L"Échec : "});
  Write(what);
  Say({L" : HRESULT ", code, L" : ", message[0] != L'\0' ? message : L"(pas de message)"});
  return hr;
}

// Garde le premier échec de plusieurs appels.
inline void KeepFailure(HRESULT& first, HRESULT hr) {
  if (FAILED(hr) && SUCCEEDED(first)) first = hr;
}

// Crée le filtre et l'ajoute au graphe ; compte dans not_created un filtre qui n'a pas pu être
// créé.
inline HRESULT CreateFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* clsid_text,
                            const wchar_t* name, IBaseFilter** filter, int& not_created) {
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(filter));
  if (FAILED(hr)) {
    ++not_created;
    // Une classe que le registre ne connaît pas : le message du système le dit mal.
    const wchar_t* plainly =
        hr == REGDB_E_CLASSNOTREG ? L" : filtre non installé sur cette machine" : L"";
    return Fail(hr, {L"création du filtre \"", name, L"\" ", clsid_text, plainly});
  }
  hr = graph->AddFilter(*filter, name);
  if (FAILED(hr)) return Fail(hr, {L"ajout au graphe du filtre \"", name, L"\""});
  Say({L"Filtre créé : \"", name, L"\""});
  return S_OK;
}

// Dit combien des filtres n'ont pas pu être créés, s'il y en a ; rend hr.
inline HRESULT SayNotCreated(HRESULT hr, int not_created, int filters) {
  wchar_t count[96];
  if (not_created == 1) {
    swprintf(count, 96, L"1 filtre sur %d n'a pas pu être créé.", filters);
  } else {
    swprintf(count, 96, L"%d filtres sur %d n'ont pas pu être créés.", not_created, filters);
  }
  if (not_created > 0) Say({count});
  return hr;
}

// Rend au filtre les octets qu'il avait enregistrés, par IPersistStream::Load.
inline HRESULT LoadFilterData(IBaseFilter* filter, const wchar_t* name, const BYTE* data,
                              ULONG size) {
  Held<IPersistStream> persist;
  HRESULT hr = filter->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.put()));
  if (FAILED(hr)) return Fail(hr, {L"IPersistStream du filtre \"", name, L"\""});
  Held<IStream> stream;
  hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  if (FAILED(hr)) return Fail(hr, {L"flux en mémoire des données du filtre \"", name, L"\""});
  ULONG written = 0;
  hr = stream.get()->Write(data, size, &written);
  if (FAILED(hr)) return Fail(hr, {L"écriture des données du filtre \"", name, L"\""});
  LARGE_INTEGER start = {};
  hr = stream.get()->Seek(start, STREAM_SEEK_SET, nullptr);
  if (FAILED(hr)) return Fail(hr, {L"retour au début des données du filtre \"", name, L"\""});
  hr = persist.get()->Load(stream.get());
  if (FAILED(hr)) return Fail(hr, {L"IPersistStream::Load du filtre \"", name, L"\""});
  return S_OK;
}

inline HRESULT LoadSourceFile(IBaseFilter* filter, const wchar_t* name, const wchar_t* path) {
  Held<IFileSourceFilter> source;
  HRESULT hr = filter->QueryInterface(IID_IFileSourceFilter, reinterpret_cast<void**>(source.put()));
  if (FAILED(hr)) return Fail(hr, {L"IFileSourceFilter du filtre \"", name, L"\""});
  hr = source.get()->Load(path, nullptr);
  if (FAILED(hr)) return Fail(hr, {L"IFileSourceFilter::Load du filtre \"", name, L"\" \"", path, L"\""});
  return S_OK;
}

inline HRESULT SetSinkFile(IBaseFilter* filter, const wchar_t* name, const wchar_t* path) {
  Held<IFileSinkFilter> sink;
  HRESULT hr = filter->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(sink.put()));
  if (FAILED(hr)) return Fail(hr, {L"IFileSinkFilter du filtre \"", name, L"\""});
  hr = sink.get()->SetFileName(path, nullptr);
  if (FAILED(hr)) return Fail(hr, {L"IFileSinkFilter::SetFileName du filtre \"", name, L"\" \"", path, L"\""});
  return S_OK;
}

// Les broches sont cherchées comme un chargeur de graphe les cherche : par le texte que le
// fichier garde, avec IBaseFilter::FindPin.
inline HRESULT ConnectPins(IGraphBuilder* graph, IBaseFilter* from, const wchar_t* from_name,
                           const wchar_t* from_pin, IBaseFilter* to, const wchar_t* to_name,
                           const wchar_t* to_pin, const AM_MEDIA_TYPE* type) {
  Held<IPin> output;
  HRESULT hr = from->FindPin(from_pin, output.put());
  if (FAILED(hr)) return Fail(hr, {L"broche \"", from_pin, L"\" du filtre \"", from_name, L"\""});
  Held<IPin> input;
  hr = to->FindPin(to_pin, input.put());
  if (FAILED(hr)) return Fail(hr, {L"broche \"", to_pin, L"\" du filtre \"", to_name, L"\""});
  hr = graph->ConnectDirect(output.get(), input.get(), type);
  if (FAILED(hr)) {
    return Fail(hr, {L"connexion \"", from_name, L"\" \"", from_pin, L"\" => \"", to_name,
                     L"\" \"", to_pin, L"\""});
  }
  Say({L"Connexion faite : \"", from_name, L"\" \"", from_pin, L"\" => \"", to_name, L"\" \"",
       to_pin, L"\""});
  return S_OK;
}

inline HRESULT SetClock(IGraphBuilder* graph, IReferenceClock* clock) {
  Held<IMediaFilter> media;
  HRESULT hr = graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(media.put()));
  if (FAILED(hr)) return Fail(hr, {L"IMediaFilter du graphe"});
  hr = media.get()->SetSyncSource(clock);
  if (FAILED(hr)) return Fail(hr, {L"IMediaFilter::SetSyncSource"});
  Say({L"Horloge réglée."});
  return S_OK;
}

inline HRESULT SetFilterClock(IGraphBuilder* graph, IBaseFilter* filter, const wchar_t* name) {
  Held<IReferenceClock> clock;
  HRESULT hr = filter->QueryInterface(IID_IReferenceClock, reinterpret_cast<void**>(clock.put()));
  if (FAILED(hr)) return Fail(hr, {L"horloge (IReferenceClock) du filtre \"", name, L"\""});
  return SetClock(graph, clock.get());
}

inline HRESULT SetClassClock(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* clsid_text) {
  Held<IReferenceClock> clock;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                                reinterpret_cast<void**>(clock.put()));
  if (FAILED(hr)) return Fail(hr, {L"création de l'horloge ", clsid_text});
  return SetClock(graph, clock.get());
}
)cpp";

inline constexpr std::string_view kMain = R"cpp(
int wmain() {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    Fail(hr, {L"initialisation de COM"});
    return 1;
  }
  int status = 1;
  {
    Held<IGraphBuilder> graph;
    hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                          reinterpret_cast<void**>(graph.put()));
    if (FAILED(hr)) {
      Fail(hr, {L"création du gestionnaire de graphe de filtres"});
    } else if (FAILED(BuildGraph(graph.get()))) {
      Say({L"Le graphe n'a pas pu être construit."});
    } else {
      Say({L"Graphe construit."});
      status = 0;
    }
  }
  CoUninitialize();
  return status;
}
)cpp";

// Comments and texts of BuildGraph.
inline constexpr std::string_view kUnnamedGuids =
    "\n// Les GUID que les en-têtes de la plate-forme ne nomment pas.\n";
inline constexpr std::string_view kFilterData = "\n// Les données du filtre ";
inline constexpr std::string_view kFilterDataEnd = ", telles qu'il les a enregistrées.\n";
inline constexpr std::string_view kFormatBlock = "\n// Le bloc de format de la connexion ";
inline constexpr std::string_view kFormatBlockEnd = ".\n";
inline constexpr std::string_view kBuildGraph =
    "\n// Reconstruit le graphe du fichier dans `graph` ; rend le premier échec.\n"
    "HRESULT BuildGraph(IGraphBuilder* graph) {\n"
    "  HRESULT hr = S_OK;\n";
inline constexpr std::string_view kFiltersStep =
    "\n  // Les filtres, créés et ajoutés au graphe ; tous sont essayés, pour dire d'un coup\n"
    "  // chaque CLSID qui manque, et combien.\n"
    "  int not_created = 0;\n";
inline constexpr std::string_view kSettingsStep = "\n  // Ce que les filtres avaient enregistré.\n";
inline constexpr std::string_view kConnectionsStep =
    "\n  // Les connexions, chacune avec le type de média du fichier.\n";
inline constexpr std::string_view kClockStep = "\n  // L'horloge de référence.\n";
inline constexpr std::string_view kFilter = "  // Filtre ";
inline constexpr std::string_view kConnection = "  // Connexion ";
inline constexpr std::string_view kOtherClause =
    "  // Clause que ce programme ne sait pas rendre au filtre : ";
inline constexpr std::string_view kMissingFilter =
    "  // Cette connexion désigne un filtre absent du fichier : elle n'est pas faite.\n";
inline constexpr std::string_view kNoMediaType =
    "  // Le fichier ne donne pas de type de média : le graphe le négocie.\n";
inline constexpr std::string_view kFormatShort =
    "    // Le fichier ne garde qu'une partie du bloc de format : ";
inline constexpr std::string_view kClockNone = "  // Aucune horloge : le graphe tourne sans.\n";
inline constexpr std::string_view kClockSystem = "  // Horloge système.\n";
inline constexpr std::string_view kClockFilter = "  // L'horloge du filtre ";
inline constexpr std::string_view kClockClass = "  // L'horloge de la classe ";
inline constexpr std::string_view kClockUnknown =
    "  // La référence d'horloge du fichier ne désigne ni filtre ni classe : le graphe choisit "
    "son horloge. Référence : ";
inline constexpr std::string_view kEmptyGraph =
    "  // Le fichier ne demande rien au graphe.\n"
    "  (void)graph;\n";
inline constexpr std::string_view kClockRequired =
    "  // Le fichier marque l'horloge comme requise.\n";

}  // namespace mivalto::cpp_texts
