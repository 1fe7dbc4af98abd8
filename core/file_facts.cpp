#include "core/file_facts.h"

#include <windows.h>
#include <wincrypt.h>

#include <memory>
#include <new>
#include <vector>

#include "framework/handles.h"

namespace {

struct CryptProvTraits {
  using Type = HCRYPTPROV;
  static Type None() { return 0; }
  static bool Valid(Type h) { return h != 0; }
  static void Close(Type h) { ::CryptReleaseContext(h, 0); }
};

struct CryptHashTraits {
  using Type = HCRYPTHASH;
  static Type None() { return 0; }
  static bool Valid(Type h) { return h != 0; }
  static void Close(Type h) { ::CryptDestroyHash(h); }
};

}  // namespace

std::wstring GetFileVersionString(const std::wstring& path) {
  if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::wstring();

  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return L"None VerSion Supprot";

  std::vector<BYTE> info(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return std::wstring();

  void* translations = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &translations, &length)) length = 0;

  std::wstring result;
  const WORD* pairs = static_cast<const WORD*>(translations);
  // Pairs of (language, code page), four bytes each; a shorter table has none.
  const UINT pairCount = translations ? length / (2 * sizeof(WORD)) : 0;
  for (UINT i = 0; i < pairCount; ++i) {
    wchar_t query[64];
    ::wsprintfW(query, L"\\StringFileInfo\\%04x%04x\\FileVersion", pairs[2 * i], pairs[2 * i + 1]);
    void* text = nullptr;
    UINT textLength = 0;
    if (::VerQueryValueW(info.data(), query, &text, &textLength) && text && textLength > 0)
      result += static_cast<const wchar_t*>(text);
  }
  return result;
}

bool ComputeFileMd5(const std::wstring& path, std::wstring& out) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;

  UniqueHandle<CryptProvTraits> provider;
  if (!::CryptAcquireContextW(provider.put(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return false;
  UniqueHandle<CryptHashTraits> hash;
  if (!::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.put())) return false;

  // The digested files are launchers of a few megabytes: one read. A file
  // past 4 GiB cannot be read whole this way and is refused rather than
  // digested in part.
  DWORD sizeHigh = 0;
  const DWORD size = ::GetFileSize(file.get(), &sizeHigh);
  if (size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return false;
  if (sizeHigh != 0) return false;

  std::unique_ptr<BYTE[]> bytes(new (std::nothrow) BYTE[size > 0 ? size : 1]);
  if (!bytes) return false;
  DWORD got = 0;
  if (!::ReadFile(file.get(), bytes.get(), size, &got, nullptr)) return false;
  if (!::CryptHashData(hash.get(), bytes.get(), got, 0)) return false;

  DWORD digestSize = 0;
  DWORD fieldSize = sizeof(digestSize);
  if (!::CryptGetHashParam(hash.get(), HP_HASHSIZE, reinterpret_cast<BYTE*>(&digestSize), &fieldSize, 0)) return false;
  std::vector<BYTE> digest(digestSize);
  if (!::CryptGetHashParam(hash.get(), HP_HASHVAL, digest.data(), &digestSize, 0)) return false;

  static const wchar_t kHex[] = L"0123456789abcdef";
  for (DWORD i = 0; i < digestSize; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 0x0F];
  }

  // Both releases must succeed for the digest to count.
  const bool hashReleased = ::CryptDestroyHash(hash.release()) != FALSE;
  const bool providerReleased = ::CryptReleaseContext(provider.release(), 0) != FALSE;
  return hashReleased && providerReleased;
}
