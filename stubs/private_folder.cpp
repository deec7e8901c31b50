// An access list for administrators and SYSTEM (see private_folder.h). The
// calls are ADVAPI32's, looked up: the stubs import KERNEL32 and USER32
// only. CheckTokenMembership came with Windows 2000; on NT 4.0 every program
// of an administrator has the same rights, so there is no program of lower
// rights to keep out, and the folder keeps the usual list.
#include "private_folder.h"

#include "dll_search.h"

namespace stub {

namespace {

struct SecurityCalls {
    BOOL(WINAPI* allocateSid)
    (PSID_IDENTIFIER_AUTHORITY, BYTE, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
     PSID*);
    PVOID(WINAPI* freeSid)(PSID);
    BOOL(WINAPI* checkMembership)(HANDLE, PSID, PBOOL);
    BOOL(WINAPI* initializeAcl)(PACL, DWORD, DWORD);
    BOOL(WINAPI* addAllowedAce)(PACL, DWORD, DWORD, DWORD, PSID);
    BOOL(WINAPI* initializeDescriptor)(PSECURITY_DESCRIPTOR, DWORD);
    BOOL(WINAPI* setDacl)(PSECURITY_DESCRIPTOR, BOOL, PACL, BOOL);
    BOOL(WINAPI* setOwner)(PSECURITY_DESCRIPTOR, PSID, BOOL);
    BOOL(WINAPI* setControl)
    (PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL, SECURITY_DESCRIPTOR_CONTROL);
};

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool LookUp(SecurityCalls& calls) {
    HMODULE advapi = LoadSystemLibrary("ADVAPI32.DLL");
    return advapi && Find(advapi, "AllocateAndInitializeSid", calls.allocateSid) &&
           Find(advapi, "FreeSid", calls.freeSid) &&
           Find(advapi, "CheckTokenMembership", calls.checkMembership) &&
           Find(advapi, "InitializeAcl", calls.initializeAcl) &&
           Find(advapi, "AddAccessAllowedAceEx", calls.addAllowedAce) &&
           Find(advapi, "InitializeSecurityDescriptor", calls.initializeDescriptor) &&
           Find(advapi, "SetSecurityDescriptorDacl", calls.setDacl) &&
           Find(advapi, "SetSecurityDescriptorOwner", calls.setOwner) &&
           Find(advapi, "SetSecurityDescriptorControl", calls.setControl);
}

bool Windows95Line() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

}  // namespace

PrivateFolderSecurity::PrivateFolderSecurity() {
    SecurityCalls calls;
    bool windows95Line = Windows95Line();
    if (windows95Line || !LookUp(calls)) return;
    freeSid_ = calls.freeSid;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    BOOL administrator = FALSE;
    if (!calls.allocateSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                           0, 0, &administrators_) ||
        !calls.checkMembership(nullptr, administrators_, &administrator) ||
        !RestrictsFolder(windows95Line, administrator != FALSE) ||
        !calls.allocateSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &system_))
        return;
    // Inherited by every folder and file below, and none of the temporary
    // folder's own entries inherited into it. Its owner is the
    // administrators' group, not the user: an owner may always change the
    // list, and the user's programs without the rights run as the user.
    PACL acl = reinterpret_cast<PACL>(acl_);
    const DWORD kInherit = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
    restricted_ =
        calls.initializeAcl(acl, sizeof acl_, ACL_REVISION) &&
        calls.addAllowedAce(acl, ACL_REVISION, kInherit, FILE_ALL_ACCESS, administrators_) &&
        calls.addAllowedAce(acl, ACL_REVISION, kInherit, FILE_ALL_ACCESS, system_) &&
        calls.initializeDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
        calls.setDacl(&descriptor_, TRUE, acl, FALSE) &&
        calls.setOwner(&descriptor_, administrators_, FALSE) &&
        calls.setControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = FALSE;
}

PrivateFolderSecurity::~PrivateFolderSecurity() {
    if (administrators_) freeSid_(administrators_);
    if (system_) freeSid_(system_);
}

}  // namespace stub
