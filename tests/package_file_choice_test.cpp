#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "package_file_choice.h"
#include "temp_dir.h"

namespace {

// The Explorer-style Open dialog's file name box and file type list.
constexpr int FileNameBox = 0x47C;
constexpr int FileTypeList = 0x470;

struct OpenDialogSeen {
    std::vector<std::string> types;
    LRESULT selectedType = CB_ERR;
    bool ownerless = false;
};

DialogAnswerer::Filler TypeName(const std::string& name, OpenDialogSeen& seen) {
    return [name, &seen](HWND dialog) {
        HWND types = GetDlgItem(dialog, FileTypeList);
        LRESULT count = SendMessageA(types, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256] = "";
            SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            seen.types.emplace_back(text);
        }
        seen.selectedType = SendMessageA(types, CB_GETCURSEL, 0, 0);
        seen.ownerless = GetWindow(dialog, GW_OWNER) == nullptr;
        SendMessageA(GetDlgItem(dialog, FileNameBox), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(name.c_str()));
    };
}

// The dialog opens in the current directory; tests move it to their own
// folder and back.
class InFolder {
public:
    explicit InFolder(const std::string& folder) {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        SetCurrentDirectoryA(folder.c_str());
    }
    ~InFolder() { SetCurrentDirectoryA(previous_); }

private:
    char previous_[MAX_PATH] = "";
};

// The dialogs of one run share what they remember, so this runs them in turn.
TEST(ChoosePackageFile, RemembersTheLastChoiceForTheNextDialog) {
    TempDir dir;
    InFolder here(dir.Path());
    // The Open dialog appends the filter's extension to a bare name only when
    // that file exists.
    dir.MakeFile("setup.exe");
    const std::vector<std::string> exeOnly = {"Executable files(*.exe)"};

    OpenDialogSeen first;
    DialogAnswerer typeNew(PackageFileTitle, IDOK, TypeName(dir / "pkg.exe", first));
    EXPECT_EQ(ChoosePackageFile(), dir / "pkg.exe");
    typeNew.Join();
    EXPECT_EQ(first.types, exeOnly);
    EXPECT_EQ(first.selectedType, 0);
    EXPECT_TRUE(first.ownerless);

    OpenDialogSeen second;
    DialogAnswerer typeBin(PackageFileTitle, IDOK, TypeName("disk.bin", second));
    EXPECT_EQ(ChoosePackageFile(), dir / "disk.bin");
    typeBin.Join();
    EXPECT_EQ(second.types, exeOnly);

    OpenDialogSeen third;
    DialogAnswerer cancel(PackageFileTitle, IDCANCEL, TypeName("ignored.exe", third));
    EXPECT_EQ(ChoosePackageFile(), "");
    cancel.Join();
    EXPECT_EQ(third.types, (std::vector<std::string>{"Executable files(*.exe)", "bin files"}));
    EXPECT_EQ(third.selectedType, 1);

    OpenDialogSeen fourth;
    DialogAnswerer noExtension(PackageFileTitle, IDOK, TypeName("setup", fourth));
    EXPECT_EQ(ChoosePackageFile(), dir / "setup.exe");
    noExtension.Join();
    EXPECT_EQ(fourth.selectedType, 0);
}

TEST(RunOpenFileDialog, OpensInTheFolderWithTheDefaultExtension) {
    TempDir dir;
    dir.MakeFile("x.bin");
    OpenDialogSeen seen;
    DialogAnswerer answer("Open", IDOK, TypeName("x", seen));  // the platform's title
    std::string name;
    uint32_t flags = PackageFileFlags;
    EXPECT_TRUE(RunOpenFileDialog(nullptr, "", name, dir.Path(), "All files|*.*", 1, "bin", flags));
    answer.Join();
    EXPECT_EQ(name, dir / "x.bin");
    EXPECT_EQ(seen.types, std::vector<std::string>{"All files"});
    EXPECT_EQ(flags & PackageFileFlags, PackageFileFlags);
}

}  // namespace
