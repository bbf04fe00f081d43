// Owners for operating-system resources. Each closes its resource exactly once,
// so early returns leak nothing and no caller writes CloseHandle by hand.
#pragma once

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <utility>

namespace platform {

// Generic owner: Traits gives the invalid value and how to close.
template <typename Traits>
class Owner {
public:
    using Value = typename Traits::Value;

    Owner() noexcept = default;
    explicit Owner(Value value) noexcept : value_(value) {}
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;
    Owner(Owner&& other) noexcept : value_(other.release()) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Owner() { reset(); }

    Value get() const noexcept { return value_; }
    bool valid() const noexcept { return Traits::valid(value_); }
    explicit operator bool() const noexcept { return valid(); }

    Value release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(Value value = Traits::invalid()) noexcept {
        Value old = std::exchange(value_, value);
        if (Traits::valid(old)) Traits::close(old);
    }
    // For APIs that return the resource through an out parameter.
    Value* put() noexcept {
        reset();
        return &value_;
    }

private:
    Value value_ = Traits::invalid();
};

// Windows uses both NULL and INVALID_HANDLE_VALUE for "no handle".
struct KernelHandleTraits {
    using Value = HANDLE;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr && v != INVALID_HANDLE_VALUE; }
    static void close(Value v) noexcept { ::CloseHandle(v); }
};
using UniqueHandle = Owner<KernelHandleTraits>;  // files, processes, snapshots, mutexes, tokens

struct FindHandleTraits {
    using Value = HANDLE;
    static Value invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool valid(Value v) noexcept { return v != nullptr && v != INVALID_HANDLE_VALUE; }
    static void close(Value v) noexcept { ::FindClose(v); }
};
using UniqueFindHandle = Owner<FindHandleTraits>;

struct RegKeyTraits {
    using Value = HKEY;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::RegCloseKey(v); }
};
using UniqueRegKey = Owner<RegKeyTraits>;

template <typename T>
struct GdiObjectTraits {
    using Value = T;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::DeleteObject(v); }
};
using UniqueBrush = Owner<GdiObjectTraits<HBRUSH>>;
using UniquePen = Owner<GdiObjectTraits<HPEN>>;
using UniqueFont = Owner<GdiObjectTraits<HFONT>>;
using UniqueBitmap = Owner<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = Owner<GdiObjectTraits<HRGN>>;

struct IconTraits {
    using Value = HICON;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::DestroyIcon(v); }
};
using UniqueIcon = Owner<IconTraits>;

struct MenuTraits {
    using Value = HMENU;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::DestroyMenu(v); }
};
using UniqueMenu = Owner<MenuTraits>;

struct MemoryDcTraits {
    using Value = HDC;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::DeleteDC(v); }
};
using UniqueMemoryDc = Owner<MemoryDcTraits>;

struct ImageListTraits {
    using Value = HIMAGELIST;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept;  // ImageList_Destroy, in handles.cpp
};
using UniqueImageList = Owner<ImageListTraits>;

struct ItemIdListTraits {
    using Value = LPITEMIDLIST;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::CoTaskMemFree(v); }
};
using UniqueItemIdList = Owner<ItemIdListTraits>;

struct LibraryTraits {
    using Value = HMODULE;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::FreeLibrary(v); }
};
using UniqueLibrary = Owner<LibraryTraits>;

// WinHTTP session, connection and request handles (HINTERNET is void*; the
// WinHTTP header is kept out of here because it clashes with wininet.h).
struct WinHttpHandleTraits {
    using Value = void*;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept;  // WinHttpCloseHandle, in handles.cpp
};
using UniqueWinHttpHandle = Owner<WinHttpHandleTraits>;

// URL cache enumeration handle (FindCloseUrlCache, in url_cache.cpp: wininet.h
// is kept out of here for the same reason as the WinHTTP header).
struct UrlCacheFindTraits {
    using Value = HANDLE;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept;
};
using UniqueUrlCacheFind = Owner<UrlCacheFindTraits>;

// A device context obtained with GetDC, released to its window.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    ~SelectionGuard() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owner of one COM interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    HRESULT create(REFCLSID clsid, REFIID iid, DWORD context = CLSCTX_INPROC_SERVER) noexcept {
        reset();
        return ::CoCreateInstance(clsid, nullptr, context, iid, reinterpret_cast<void**>(&ptr_));
    }
    template <typename Other>
    HRESULT queryInterface(REFIID iid, ComPtr<Other>& out) const noexcept {
        if (!ptr_) return E_POINTER;
        return ptr_->QueryInterface(iid, reinterpret_cast<void**>(out.put()));
    }
    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }
    T** put() noexcept {
        reset();
        return &ptr_;
    }
    void reset() noexcept {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }

private:
    T* ptr_ = nullptr;
};

// COM initialised for the life of the object on this thread (apartment
// threaded, as the shell components require).
class ComApartment {
public:
    ComApartment() noexcept : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }

private:
    HRESULT hr_;
};

}  // namespace platform
