// An access list for administrators and SYSTEM (see private_folder.h). The
// list is a constant, a self-relative security descriptor in the layout
// winnt.h gives, so that only the question of rights needs ADVAPI32 (looked
// up: the stubs import KERNEL32 and USER32 only). CheckTokenMembership came
// with Windows 2000; on NT 4.0 every program of an administrator has the
// same rights, so there is no program of lower rights to keep out, and the
// folder keeps the usual list.
#include "private_folder.h"

#include "dll_search.h"
#include "platform.h"

namespace stub {

namespace {

// Owner: the administrators' group, not the user (an owner may always
// change the list, and the user's programs without the rights run as the
// user). List, protected from the temporary folder's own inherited entries:
// full access for administrators and for SYSTEM, inherited by every folder
// and file below.
const WORD kControl = SE_SELF_RELATIVE | SE_DACL_PROTECTED | SE_DACL_PRESENT;
const DWORD kFullAccess = FILE_ALL_ACCESS;
const BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
#define VNP_ADMINISTRATORS 1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0  // S-1-5-32-544
#define VNP_SYSTEM 1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0                         // S-1-5-18
#define VNP_DWORD(value) BYTE(value), BYTE((value) >> 8), BYTE((value) >> 16), BYTE((value) >> 24)
alignas(4) const BYTE kDescriptor[] = {
    // SECURITY_DESCRIPTOR_RELATIVE: revision 1, self-relative, protected
    // list present; owner at 20, no group, no audit list, list at 36.
    1, 0, BYTE(kControl), BYTE(kControl >> 8), VNP_DWORD(20), VNP_DWORD(0), VNP_DWORD(0),
    VNP_DWORD(36),
    // The owner.
    VNP_ADMINISTRATORS,
    // ACL: revision 2, 52 bytes, 2 entries.
    ACL_REVISION, 0, 52, 0, 2, 0, 0, 0,
    // ACCESS_ALLOWED_ACE for administrators, 24 bytes.
    ACCESS_ALLOWED_ACE_TYPE, kInherited, 24, 0, VNP_DWORD(kFullAccess), VNP_ADMINISTRATORS,
    // ACCESS_ALLOWED_ACE for SYSTEM, 20 bytes.
    ACCESS_ALLOWED_ACE_TYPE, kInherited, 20, 0, VNP_DWORD(kFullAccess), VNP_SYSTEM};

bool Administrator() {
    using CheckMembershipFunction = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
    HMODULE advapi = LoadSystemLibrary("ADVAPI32.DLL");
    CheckMembershipFunction check =
        advapi ? reinterpret_cast<CheckMembershipFunction>(
                     reinterpret_cast<void*>(GetProcAddress(advapi, "CheckTokenMembership")))
               : nullptr;
    BOOL member = FALSE;
    return check && check(nullptr, PSID(kDescriptor + 20), &member) && member;
}

}  // namespace

SECURITY_ATTRIBUTES* PrivateFolderAttributes(SECURITY_ATTRIBUTES& attributes) {
    bool windows95Line = Windows95Line();
    if (!RestrictsFolder(windows95Line, !windows95Line && Administrator())) return nullptr;
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = const_cast<BYTE*>(kDescriptor);
    attributes.bInheritHandle = FALSE;
    return &attributes;
}

}  // namespace stub
