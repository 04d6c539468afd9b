#pragma once

#include "framework/String.h"
#include "util/RegistryKey.h"

// Type codes of ReadRegistryValue: the registry's own value types (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY, REG_DWORD, REG_QWORD) and these.
// The code says what the destination is:
//   REG_SZ, REG_EXPAND_SZ, REG_STRING, REG_MULTI_SZ   CString (text up to the first NUL)
//   REG_DWORD                                         DWORD
//   REG_INT                                           INT, from a stored REG_DWORD
//   REG_BOOLEAN                                       BOOL, 1 for any non-zero REG_DWORD
//   REG_QWORD                                         ULONGLONG
//   REG_GUID                                          GUID, from braced text
//   REG_BINARY                                        nothing: only tells that the value
//                                                     exists and fits in 4096 bytes
// Any other code reads nothing and succeeds.
constexpr int REG_GUID = 50;
constexpr int REG_BOOLEAN = 51;
constexpr int REG_INT = 52;
constexpr int REG_STRING = 53;

// Results of the reads below.
constexpr int kRegistryValueRead = 0;
constexpr int kRegistryBadPath = -1; // empty, no known root, or a root alone
constexpr int kRegistryNoKey = -2;   // the key cannot be opened for reading
constexpr int kRegistryNoValue = -3; // the value cannot be read as the type asked

// Reads one value of the key named by a path such as "HKCU\Software\X" (root
// prefixes in any letter case, short or long form). An empty value name names
// the key's default value. A failure leaves the destination as it was.
int ReadRegistryValue(CString path, CString valueName, int type, void* destination);

// Takes the root prefix off `path`, leaving the subkey; FALSE when there is no
// known root prefix or nothing after it.
BOOL SplitRegistryPath(HKEY& root, CString& path);

int ReadKeyValue(HKEY root, LPCSTR subkey, LPCSTR valueName, int type, void* destination);

int ReadTypedValue(const CRegistryKey& key, LPCSTR valueName, int type, void* destination);
