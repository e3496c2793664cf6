#include "sim/SimBackend.h"

namespace zq::sim {
namespace {

class SimConnection final : public HidConnection {
 public:
  SimConnection(std::shared_ptr<SimulatedMouse> mouse, SimulatedMouse::Token token)
      : mouse_(std::move(mouse)), token_(std::move(token)) {}

  int Write(const uint8_t* data, size_t length) override {
    return open_ ? mouse_->Write(token_, data, length) : -1;
  }
  int ReadTimeout(uint8_t* data, size_t length, int timeout_ms) override {
    return open_ ? mouse_->Read(token_, data, length, timeout_ms) : -1;
  }
  int SendFeatureReport(const uint8_t* data, size_t length) override {
    return open_ ? mouse_->SendFeature(token_, data, length) : -1;
  }
  int GetFeatureReport(uint8_t* data, size_t length) override {
    return open_ ? mouse_->GetFeature(token_, data, length) : -1;
  }
  std::string ProductString() override {
    if (!open_) return {};
    switch (mouse_->Mode()) {
      case SimMode::Cable: return "Zintor Q57 Gaming Mouse";
      case SimMode::Bluetooth: return "Zintor Q57 BLE";
      default: return "Zintor Q57 Receiver";
    }
  }
  std::string ManufacturerString() override { return open_ ? "Zintor" : std::string(); }
  void Close() override { open_ = false; }

 private:
  std::shared_ptr<SimulatedMouse> mouse_;
  SimulatedMouse::Token token_;
  bool open_ = true;
};

}  // namespace

SimBackend::SimBackend(std::shared_ptr<SimulatedMouse> mouse) : mouse_(std::move(mouse)) {}

std::vector<HidDeviceInfo> SimBackend::Enumerate() { return mouse_->Interfaces(); }

std::unique_ptr<HidConnection> SimBackend::Open(const std::string& path) {
  SimulatedMouse::Token token;
  if (!mouse_->OpenInterface(path, token)) return nullptr;
  return std::make_unique<SimConnection>(mouse_, std::move(token));
}

}  // namespace zq::sim
