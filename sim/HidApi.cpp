// The hidapi C interface over the simulated bus. Tests link this in place of hidapi;
// a demo run preloads it so that the program's own hidapi calls land here.
#include "SimBus.h"

#include <hidapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

struct hid_device_
{
    int device = -1;
    bool nonblocking = false;
    std::wstring error;
    hid_device_info* info = nullptr;
};

using talvo::sim::SimBus;
using talvo::sim::SimDevice;

namespace {

constexpr int ReportBytes = 64;
// A blocking read in driven time gives up after this long, as nothing else could
// move the clock while it waits.
constexpr int DrivenBlockingLimitMs = 60000;

std::wstring globalError;

wchar_t* duplicate(const std::wstring& text)
{
    auto* copy = static_cast<wchar_t*>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy)
        std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

char* duplicate(const std::string& text)
{
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

hid_device_info* describe(SimDevice& d)
{
    auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
    if (!info)
        return nullptr;
    info->path = duplicate("sim:" + std::to_string(d.number));
    info->vendor_id = talvo::sim::VendorId;
    info->product_id = d.productId();
    info->serial_number = d.serial() ? duplicate(*d.serial()) : nullptr;
    info->release_number = 0x0100;
    info->manufacturer_string = duplicate(std::wstring(L"Korvanite"));
    info->product_string = duplicate(d.productName());
    info->usage_page = 0xFF00;
    info->usage = 1;
    info->interface_number = 0;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

bool matches(SimDevice& d, unsigned short vendor, unsigned short product)
{
    return (vendor == 0 || vendor == talvo::sim::VendorId) && (product == 0 || product == d.productId());
}

hid_device* openDevice(SimDevice* d)
{
    if (!d || !d->plugged || d->openFails) {
        globalError = d && d->openFails ? L"Permission denied" : L"No such device";
        return nullptr;
    }
    globalError.clear();
    auto* handle = new hid_device_;
    handle->device = d->number;
    return handle;
}

// The device behind a handle while it is still on the bus, else null with the error set.
SimDevice* live(hid_device* handle)
{
    SimDevice* d = SimBus::instance().device(handle->device);
    if (!d || !d->plugged) {
        handle->error = L"Device disconnected";
        return nullptr;
    }
    return d;
}

int copyString(const std::wstring& text, wchar_t* string, size_t maxlen)
{
    if (!string || maxlen == 0)
        return -1;
    const size_t n = std::min(text.size(), maxlen - 1);
    std::wmemcpy(string, text.c_str(), n);
    string[n] = L'\0';
    return 0;
}

int copyReport(const talvo::sim::Report& report, unsigned char* data, size_t length)
{
    const size_t n = std::min<size_t>(length, ReportBytes);
    std::memcpy(data, report.data(), n);
    return int(n);
}

} // namespace

extern "C" {

int hid_init(void)
{
    return 0;
}

int hid_exit(void)
{
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    SimBus& bus = SimBus::instance();
    std::lock_guard lock(bus.mutex);
    bus.sync();
    hid_device_info* first = nullptr;
    hid_device_info** tail = &first;
    for (SimDevice* d : bus.pluggedDevices()) {
        if (!matches(*d, vendor_id, product_id))
            continue;
        *tail = describe(*d);
        if (*tail)
            tail = &(*tail)->next;
    }
    return first;
}

void hid_free_enumeration(hid_device_info* devs)
{
    while (devs) {
        hid_device_info* next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

hid_device* hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t* serial_number)
{
    SimBus& bus = SimBus::instance();
    std::lock_guard lock(bus.mutex);
    bus.sync();
    for (SimDevice* d : bus.pluggedDevices()) {
        if (d->productId() != product_id || vendor_id != talvo::sim::VendorId)
            continue;
        if (serial_number && (!d->serial() || *d->serial() != serial_number))
            continue;
        return openDevice(d);
    }
    globalError = L"No such device";
    return nullptr;
}

hid_device* hid_open_path(const char* path)
{
    SimBus& bus = SimBus::instance();
    std::lock_guard lock(bus.mutex);
    bus.sync();
    if (!path || std::strncmp(path, "sim:", 4) != 0) {
        globalError = L"No such device";
        return nullptr;
    }
    return openDevice(bus.device(std::atoi(path + 4)));
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length)
{
    if (!dev || !data)
        return -1;
    SimBus& bus = SimBus::instance();
    std::lock_guard lock(bus.mutex);
    bus.sync();
    SimDevice* d = live(dev);
    if (!d)
        return -1;
    dev->error.clear();
    return d->write(data, length, bus.clock.now(), dev->error);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds)
{
    if (!dev || !data)
        return -1;
    SimBus& bus = SimBus::instance();
    std::unique_lock lock(bus.mutex);
    if (!bus.clockedElsewhere)
        bus.sync();
    if (milliseconds < 0 && bus.clock.mode() == talvo::sim::SimClock::Mode::Driven)
        milliseconds = DrivenBlockingLimitMs;
    for (int waited = 0;; ++waited) {
        SimDevice* d = live(dev);
        if (!d)
            return -1;
        talvo::sim::Report report;
        if (d->takeInput(report))
            return copyReport(report, data, length);
        if (milliseconds >= 0 && waited >= milliseconds)
            return 0;
        // Time passes a millisecond at a time, so a reply that comes due is read as soon
        // as a real read would have it.
        lock.unlock();
        bus.clock.pass(1000);
        lock.lock();
        if (!bus.clockedElsewhere)
            bus.sync();
    }
}

int hid_read(hid_device* dev, unsigned char* data, size_t length)
{
    return hid_read_timeout(dev, data, length, dev && dev->nonblocking ? 0 : -1);
}

int hid_set_nonblocking(hid_device* dev, int nonblock)
{
    if (!dev)
        return -1;
    dev->nonblocking = nonblock != 0;
    return 0;
}

int hid_send_feature_report(hid_device* dev, const unsigned char*, size_t)
{
    if (dev)
        dev->error = L"Feature reports are not used by this device";
    return -1;
}

int hid_get_feature_report(hid_device* dev, unsigned char*, size_t)
{
    if (dev)
        dev->error = L"Feature reports are not used by this device";
    return -1;
}

int hid_get_input_report(hid_device* dev, unsigned char*, size_t)
{
    if (dev)
        dev->error = L"Input reports are only read from the interrupt pipe";
    return -1;
}

void hid_close(hid_device* dev)
{
    if (!dev)
        return;
    hid_free_enumeration(dev->info);
    delete dev;
}

int hid_get_manufacturer_string(hid_device* dev, wchar_t* string, size_t maxlen)
{
    std::lock_guard lock(SimBus::instance().mutex);
    if (!dev || !live(dev))
        return -1;
    return copyString(L"Korvanite", string, maxlen);
}

int hid_get_product_string(hid_device* dev, wchar_t* string, size_t maxlen)
{
    std::lock_guard lock(SimBus::instance().mutex);
    SimDevice* d = dev ? live(dev) : nullptr;
    if (!d)
        return -1;
    return copyString(d->productName(), string, maxlen);
}

int hid_get_serial_number_string(hid_device* dev, wchar_t* string, size_t maxlen)
{
    std::lock_guard lock(SimBus::instance().mutex);
    SimDevice* d = dev ? live(dev) : nullptr;
    if (!d || !d->serial()) {
        if (dev)
            dev->error = L"Serial number not readable";
        return -1;
    }
    return copyString(*d->serial(), string, maxlen);
}

int hid_get_indexed_string(hid_device* dev, int, wchar_t*, size_t)
{
    if (dev)
        dev->error = L"Indexed strings are not used by this device";
    return -1;
}

hid_device_info* hid_get_device_info(hid_device* dev)
{
    std::lock_guard lock(SimBus::instance().mutex);
    SimDevice* d = dev ? live(dev) : nullptr;
    if (!d)
        return nullptr;
    if (!dev->info)
        dev->info = describe(*d);
    return dev->info;
}

// As the library does: "Success" while nothing has failed.
const wchar_t* hid_error(hid_device* dev)
{
    const std::wstring& text = dev ? dev->error : globalError;
    return text.empty() ? L"Success" : text.c_str();
}

const hid_api_version* hid_version(void)
{
    static const hid_api_version version{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR, HID_API_VERSION_PATCH};
    return &version;
}

const char* hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"
