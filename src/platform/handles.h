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

// Traits for the many resources whose "none" is null: Close releases one.
template <typename T, auto Close>
struct NullableTraits {
    using Value = T;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { Close(v); }
};
template <typename T, auto Close>
using NullableOwner = Owner<NullableTraits<T, Close>>;

using UniqueRegKey = NullableOwner<HKEY, &::RegCloseKey>;
using UniqueBrush = NullableOwner<HBRUSH, &::DeleteObject>;
using UniquePen = NullableOwner<HPEN, &::DeleteObject>;
using UniqueFont = NullableOwner<HFONT, &::DeleteObject>;
using UniqueBitmap = NullableOwner<HBITMAP, &::DeleteObject>;
using UniqueRegion = NullableOwner<HRGN, &::DeleteObject>;
using UniqueIcon = NullableOwner<HICON, &::DestroyIcon>;
using UniqueMenu = NullableOwner<HMENU, &::DestroyMenu>;
using UniqueMemoryDc = NullableOwner<HDC, &::DeleteDC>;
using UniqueItemIdList = NullableOwner<LPITEMIDLIST, &::CoTaskMemFree>;
using UniqueLibrary = NullableOwner<HMODULE, &::FreeLibrary>;
using UniqueAcceleratorTable = NullableOwner<HACCEL, &::DestroyAcceleratorTable>;

// These close functions live in .cpp files: their headers (commctrl.h,
// winhttp.h, wininet.h) clash with each other or are not wanted everywhere.
void DestroyImageList(HIMAGELIST list) noexcept;  // handles.cpp
void CloseWinHttpHandle(void* handle) noexcept;   // handles.cpp; HINTERNET is void*
void CloseUrlCacheFind(HANDLE find) noexcept;     // url_cache.cpp
using UniqueImageList = NullableOwner<HIMAGELIST, &DestroyImageList>;
using UniqueWinHttpHandle = NullableOwner<void*, &CloseWinHttpHandle>;  // session, connection, request
using UniqueUrlCacheFind = NullableOwner<HANDLE, &CloseUrlCacheFind>;

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
