// What the shared object shows the outside: four exports, host functions left
// undefined for the executable to serve, no link to the host stand-in, and the
// load and unload notifications.
#include <cxxabi.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/module_fixture.h"

namespace {

std::vector<std::string> OutputLines(const std::string& command) {
  std::vector<std::string> lines;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (pipe == nullptr) return lines;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct DynamicSymbol {
  std::string name;  // without its version
  char kind;         // nm's letter: T defined text, U undefined, w weak undefined, ...
};

std::vector<DynamicSymbol> DynamicSymbols(const std::string& path, const char* filter) {
  std::vector<DynamicSymbol> symbols;
  const std::regex line(R"(^[0-9a-f ]{16} (\S) ([^@\s]+)(@.*)?$)");
  for (const std::string& text : OutputLines("nm -D " + std::string(filter) + " " + path)) {
    std::smatch match;
    if (std::regex_match(text, match, line)) symbols.push_back({match[2], match[1].str()[0]});
  }
  return symbols;
}

std::vector<std::string> NeededLibraries(const std::string& path) {
  std::vector<std::string> needed;
  const std::regex line(R"(\(NEEDED\)\s+Shared library: \[(.+)\])");
  for (const std::string& text : OutputLines("readelf -d " + path)) {
    std::smatch match;
    if (std::regex_search(text, match, line)) needed.push_back(match[1]);
  }
  return needed;
}

std::string Demangled(const std::string& name) {
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> text(
      abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status), std::free);
  return status == 0 ? std::string(text.get()) : name;
}

void* ExecutableBase() {
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&ExecutableBase), &info);
  return info.dli_fbase;
}

}  // namespace

// Exit functions of the host executable: the module's lookup must not find
// these, since they are not among its own exports.
int host_exit_function_calls = 0;
extern "C" OAPIFUNC void ExitModule(HINSTANCE /*module*/) { ++host_exit_function_calls; }
extern "C" OAPIFUNC void opcDLLExit(HINSTANCE /*module*/) { ++host_exit_function_calls; }

// Where the test variants' exit functions report.
std::vector<HINSTANCE> module_exit_calls;
extern "C" OAPIFUNC void RecordModuleExit(HINSTANCE module) { module_exit_calls.push_back(module); }

TEST(ModuleFile, ExportsExactlyTheFourEntryPoints) {
  std::set<std::string> exports;
  for (const DynamicSymbol& symbol : DynamicSymbols(VANTREL_MODULE_PATH, "--defined-only")) {
    exports.insert(symbol.name);
  }
  EXPECT_EQ(exports,
            (std::set<std::string>{"GetModuleVersion", "ModuleDate", "ovcExit", "ovcInit"}));
}

TEST(ModuleFile, HasNoLibPrefixAndNeedsOnlyTheSystemRuntime) {
  EXPECT_EQ(std::string(VANTREL_MODULE_PATH).substr(std::string(VANTREL_MODULE_PATH).rfind('/')),
            "/vantrel.so");
  const std::regex runtime(R"(^lib(c|m|stdc\+\+|gcc_s|asan|ubsan)\.so\.\d+$)");
  const std::vector<std::string> needed = NeededLibraries(VANTREL_MODULE_PATH);
  EXPECT_FALSE(needed.empty());
  for (const std::string& library : needed) {
    EXPECT_TRUE(std::regex_match(library, runtime)) << library;
  }
}

// Every symbol the module leaves undefined is either served by the system
// libraries it links, or is a simulator function that the executable hosting
// it exports.
TEST(ModuleFile, LeavesTheSimulatorsFunctionsToTheHostExecutable) {
  std::vector<void*> runtime;
  for (const std::string& library : NeededLibraries(VANTREL_MODULE_PATH)) {
    void* handle = dlopen(library.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr) << library;
    runtime.push_back(handle);
  }
  const std::regex host_function(R"(^(VESSEL[23]?::|oapi|InitLib\(|Date2Int\().*)");
  int host_functions = 0;
  for (const DynamicSymbol& symbol : DynamicSymbols(VANTREL_MODULE_PATH, "--undefined-only")) {
    if (symbol.kind == 'w' || symbol.kind == 'v') continue;  // weak: may stay unbound
    bool from_runtime = false;
    for (void* handle : runtime) from_runtime |= dlsym(handle, symbol.name.c_str()) != nullptr;
    if (from_runtime) continue;
    const std::string name = Demangled(symbol.name);
    EXPECT_TRUE(std::regex_match(name, host_function)) << name;
    Dl_info info{};
    void* address = dlsym(RTLD_DEFAULT, symbol.name.c_str());
    ASSERT_NE(address, nullptr) << name;
    ASSERT_NE(dladdr(address, &info), 0) << name;
    EXPECT_EQ(info.dli_fbase, ExecutableBase()) << name;
    ++host_functions;
  }
  EXPECT_GT(host_functions, 0);
  for (void* handle : runtime) dlclose(handle);
}

using ModuleLoading = LoadedModule;

TEST_F(ModuleLoading, LoadCallsInitLibOnceWithTheModulesBaseAddress) {
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(module->ovcInit), &info), 0);
  EXPECT_EQ(sim::world().init_lib_calls, std::vector<HINSTANCE>{module->instance()});
  EXPECT_EQ(static_cast<void*>(module->instance()), info.dli_fbase);
}

TEST_F(ModuleLoading, UnloadIgnoresExitFunctionsOfTheHostExecutable) {
  host_exit_function_calls = 0;
  module.reset();
  EXPECT_EQ(host_exit_function_calls, 0);
}

TEST(ModuleExitFunction, ExportedByTheModuleItIsCalledAtUnloadWithItsInstance) {
  for (const char* path : {VANTREL_EXIT_MODULE_PATH, VANTREL_DLL_EXIT_PATH}) {
    SCOPED_TRACE(path);
    module_exit_calls.clear();
    host_exit_function_calls = 0;
    std::string error;
    auto variant = sim::VesselModule::Open(path, error);
    ASSERT_NE(variant, nullptr) << error;
    HINSTANCE instance = variant->instance();
    EXPECT_TRUE(module_exit_calls.empty());
    variant.reset();
    EXPECT_EQ(module_exit_calls, std::vector<HINSTANCE>{instance});
    EXPECT_EQ(host_exit_function_calls, 0);
  }
}
