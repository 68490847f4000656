#include "policy/instrumented_registry.h"

namespace quellan::policy {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::optional<std::int32_t> InstrumentedRegistry::Injected(RegCall call, std::uint32_t root, const std::string& keyPath,
                                                           const std::string& valueName) {
  // Every matching rule counts the call towards its skip, even when an earlier rule fails it; the
  // first rule with nothing left to skip fails it.
  std::optional<std::int32_t> status;
  for (InjectedFailure& failure : m_failures) {
    if (failure.times == 0 || failure.call != call || (failure.root && *failure.root != root) ||
        (failure.keyPath && !EqualNoCase(*failure.keyPath, keyPath)) ||
        (failure.valueName && !EqualNoCase(*failure.valueName, valueName)))
      continue;
    if (failure.skip > 0) {
      --failure.skip;
    } else if (!status) {
      status = failure.status;
      if (failure.times > 0) --failure.times;
    }
  }
  return status;
}

InstrumentedRegistry::OpenKey InstrumentedRegistry::KeyOf(KeyHandle key) const {
  const auto found = m_open.find(key);
  return found == m_open.end() ? OpenKey{0, std::string()} : found->second;
}

void InstrumentedRegistry::Opening(std::int32_t status, KeyHandle key, std::uint32_t root, const std::string& path) {
  if (status != kErrorSuccess || key == 0) return;
  m_open[key] = OpenKey{root, path};
  ++m_opened;
}

std::int32_t InstrumentedRegistry::CreateKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                               const std::string& className, std::uint32_t options,
                                               std::uint32_t samDesired, const SecurityAttributes* security,
                                               KeyHandle* result, std::uint32_t* disposition) {
  RegCallRecord record;
  record.call = RegCall::CreateKeyEx;
  record.root = root;
  record.keyPath = subKey;
  record.reserved = reserved;
  record.className = className;
  record.options = options;
  record.access = samDesired;
  record.securityGiven = security != nullptr;
  record.inheritHandle = security && security->inheritHandle;
  if (const auto status = Injected(RegCall::CreateKeyEx, root, subKey, std::string())) {
    if (result) *result = 0;
    record.status = *status;
  } else {
    record.status =
        m_inner.CreateKeyEx(root, subKey, reserved, className, options, samDesired, security, result, disposition);
    if (result) {
      record.handle = *result;
      Opening(record.status, *result, root, subKey);
    }
  }
  m_calls.push_back(std::move(record));
  return m_calls.back().status;
}

std::int32_t InstrumentedRegistry::SetValueEx(KeyHandle key, const std::string& valueName, std::uint32_t reserved,
                                              std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  const OpenKey opened = KeyOf(key);
  RegCallRecord record;
  record.call = RegCall::SetValueEx;
  record.root = opened.root;
  record.keyPath = opened.path;
  record.valueName = valueName;
  record.handle = key;
  record.reserved = reserved;
  record.type = type;
  record.sizeIn = size;
  if (data) record.data.assign(data, data + size);
  if (const auto status = Injected(RegCall::SetValueEx, opened.root, opened.path, valueName))
    record.status = *status;
  else
    record.status = m_inner.SetValueEx(key, valueName, reserved, type, data, size);
  m_calls.push_back(std::move(record));
  return m_calls.back().status;
}

std::int32_t InstrumentedRegistry::OpenKeyEx(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                                             std::uint32_t samDesired, KeyHandle* result) {
  RegCallRecord record;
  record.call = RegCall::OpenKeyEx;
  record.root = root;
  record.keyPath = subKey;
  record.options = options;
  record.access = samDesired;
  if (const auto status = Injected(RegCall::OpenKeyEx, root, subKey, std::string())) {
    if (result) *result = 0;
    record.status = *status;
  } else {
    record.status = m_inner.OpenKeyEx(root, subKey, options, samDesired, result);
    if (result) {
      record.handle = *result;
      Opening(record.status, *result, root, subKey);
    }
  }
  m_calls.push_back(std::move(record));
  return m_calls.back().status;
}

std::int32_t InstrumentedRegistry::QueryValueEx(KeyHandle key, const std::string& valueName, std::uint32_t* reserved,
                                                std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  const OpenKey opened = KeyOf(key);
  RegCallRecord record;
  record.call = RegCall::QueryValueEx;
  record.root = opened.root;
  record.keyPath = opened.path;
  record.valueName = valueName;
  record.handle = key;
  record.reservedGiven = reserved != nullptr;
  record.dataGiven = data != nullptr;
  if (size) record.sizeIn = *size;
  if (const auto status = Injected(RegCall::QueryValueEx, opened.root, opened.path, valueName)) {
    record.status = *status;
  } else {
    record.status = m_inner.QueryValueEx(key, valueName, reserved, type, data, size);
    if (type) record.type = *type;
    if (size) record.sizeOut = *size;
  }
  m_calls.push_back(std::move(record));
  return m_calls.back().status;
}

std::int32_t InstrumentedRegistry::CloseKey(KeyHandle key) {
  const auto found = m_open.find(key);
  RegCallRecord record;
  record.call = RegCall::CloseKey;
  record.handle = key;
  if (found != m_open.end()) {
    record.root = found->second.root;
    record.keyPath = found->second.path;
  }
  if (const auto status = Injected(RegCall::CloseKey, record.root, record.keyPath, std::string())) {
    record.status = *status;
  } else {
    record.status = m_inner.CloseKey(key);
    if (found != m_open.end()) {
      m_open.erase(found);
      ++m_closed;
    } else {
      ++m_badCloses;
    }
  }
  m_calls.push_back(std::move(record));
  return m_calls.back().status;
}

}  // namespace quellan::policy
