// Loading DLLs safely: the search each program restricts itself to, with
// the calls Windows has taken away one by one (Wine has them all), against
// a DLL planted beside the test program and one in its current folder; and
// the shipped programs, each of which starts under Wine with its manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dll_search.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

// vnpplant.dll lies beside the test program (the build puts it there);
// the test copies it into its current folder as vnpcwd.dll.
const char kBeside[] = "vnpplant.dll";
const char kInCurrentFolder[] = "vnpcwd.dll";

bool LoadsByBareName(const char* name) {
    HMODULE module = LoadLibraryA(name);
    if (module) FreeLibrary(module);
    return module != nullptr;
}

struct SearchCase {
    const char* name;
    bool setDefault, setDirectory;
    DllSearch way;
    bool findsBeside, findsInCurrentFolder;
};

std::ostream& operator<<(std::ostream& out, const SearchCase& c) { return out << c.name; }

class DllSearchTest : public testing::TestWithParam<SearchCase> {};

// Each case runs in a process of its own (the search stays restricted).
TEST_P(DllSearchTest, FindsNoPlantedDll) {
    const SearchCase& c = GetParam();
    TempDir temp;
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string beside = std::string(program, strrchr(program, '\\') + 1) + kBeside;
    ASSERT_TRUE(CopyFileA(beside.c_str(), (temp / kInCurrentFolder).c_str(), FALSE)) << beside;
    ASSERT_TRUE(SetCurrentDirectoryA(temp.Path().c_str()));
    ASSERT_TRUE(LoadsByBareName(kBeside));
    ASSERT_TRUE(LoadsByBareName(kInCurrentFolder));

    DllSearchCalls calls = SystemDllSearchCalls();
    ASSERT_TRUE(calls.setDefaultDllDirectories && calls.setDllDirectory);
    if (!c.setDefault) calls.setDefaultDllDirectories = nullptr;
    if (!c.setDirectory) calls.setDllDirectory = nullptr;
    EXPECT_EQ(int(RestrictDllSearch(calls)), int(c.way));
    EXPECT_EQ(LoadsByBareName(kBeside), c.findsBeside);
    EXPECT_EQ(LoadsByBareName(kInCurrentFolder), c.findsInCurrentFolder);
    // A program started meanwhile searches as it always does: the current
    // folder too.
    {
        UsualDllSearchForChildren usual;
        EXPECT_EQ(LoadsByBareName(kInCurrentFolder), c.way != DllSearch::kSystemFolderOnly);
    }
    EXPECT_EQ(LoadsByBareName(kInCurrentFolder), c.findsInCurrentFolder);
    // By the system folder's path: there, or not at all.
    HMODULE imagehlp = LoadSystemLibrary("IMAGEHLP.DLL");
    EXPECT_NE(imagehlp, nullptr);
    if (imagehlp) FreeLibrary(imagehlp);
    EXPECT_EQ(LoadSystemLibrary(kBeside), nullptr);
    EXPECT_EQ(LoadSystemLibrary(kInCurrentFolder), nullptr);
    SetCurrentDirectoryA(beside.substr(0, beside.rfind('\\')).c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Calls, DllSearchTest,
    testing::Values(SearchCase{"SystemFolderOnly", true, true, DllSearch::kSystemFolderOnly, false,
                               false},
                    SearchCase{"WithoutSetDefaultDllDirectories", false, true,
                               DllSearch::kCurrentFolderRemoved, true, false},
                    SearchCase{"WithNeither", false, false, DllSearch::kUnchanged, true, true}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

// The programs of the program folder each carry their manifest and start
// with it. Wine reads a program's manifest into its activation context as
// it starts it, but starts it even when it cannot read it (it only says so
// in its debug output): that the manifest was read is asked of the same
// reader through CreateActCtxA, which refuses a manifest it cannot read
// (the last case shows that it does). Each program of this build's folder,
// and of the 32-bit folder that ships where this build is the 32-bit one.
struct StartCase {
    std::string name;
    const char* file;
    const char* arguments;
    bool brokenManifest;
    int exitCode;
    const char* folder;
};

std::ostream& operator<<(std::ostream& out, const StartCase& c) { return out << c.name; }

std::vector<StartCase> StartCases() {
    const StartCase programs[] = {
        {"Program", "VORNALY.EXE", "", false, 0, VORNALY_DIST_UNIX_PATH},
        {"Builder", "VNPMAKE.EXE", "/?", false, 0, VORNALY_DIST_UNIX_PATH},
        {"OuterStub", "Install.vnp", "/Q:A /Z", false, 1, VORNALY_DIST_UNIX_PATH},
        {"InnerStub", "Vornaly.vnp", "", false, 1, VORNALY_DIST_UNIX_PATH},
        {"BrokenManifestIsRefused", "Install.vnp", "/Q:A /Z", true, 1, VORNALY_DIST_UNIX_PATH}};
    std::vector<StartCase> cases(std::begin(programs), std::end(programs));
    if (sizeof(void*) == 4)
        for (StartCase c : programs)
            if (!c.brokenManifest) {
                c.name = "Shipped" + c.name;
                c.folder = VORNALY_SHIPPED_UNIX_PATH;
                cases.push_back(c);
            }
    return cases;
}

class ShippedProgram : public testing::TestWithParam<StartCase> {};

std::string Manifest(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        text.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                    SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

bool ManifestReads(const std::string& path) {
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    if (handle == INVALID_HANDLE_VALUE) return false;
    ReleaseActCtx(handle);
    return true;
}

void CloseMainWindow() {
    HWND window = WaitForForeignDialog("Create Vornaly Installation Package");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void AnswerBox() {
    HWND box = WaitForForeignDialog("Vornaly");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(BoxText(box).find("part of an installation package"), std::string::npos);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_P(ShippedProgram, StartsWithItsManifest) {
    const StartCase& c = GetParam();
    TempDir temp;
    std::string path = WinePath(std::string(c.folder) + "/" + c.file);
    std::string manifest = Manifest(path);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << path;
    if (c.brokenManifest) {
        std::string bytes = ReadWholeFile(path);
        ASSERT_NE(bytes.find("<assembly "), std::string::npos);
        bytes.replace(bytes.find("<assembly "), 10, "<assemblX ");
        path = temp / "BROKEN.EXE";
        WriteBytes(path, bytes);
    }
    EXPECT_EQ(ManifestReads(path), !c.brokenManifest) << path;
    std::string line = "\"" + path + "\" " + c.arguments;
    std::function<void()> answer;
    if (!strcmp(c.file, "VORNALY.EXE")) answer = CloseMainWindow;
    if (!strcmp(c.file, "Vornaly.vnp")) answer = AnswerBox;
    EXPECT_EQ(RunChild(line, answer), c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(Folder, ShippedProgram, testing::ValuesIn(StartCases()),
                         [](const testing::TestParamInfo<StartCase>& info) {
                             return info.param.name;
                         });

}  // namespace
