#include "host/device_errors.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "host/platform.h"
#include "log/log.h"

namespace {

struct ErrorName {
  uint32_t Code;
  const char* Name;
};

// The names keep their original spelling and line breaks: logs are compared across hosts.
constexpr ErrorName kDirectDrawNames[] = {
    {0x80004001, "DD_UNSUPPORTED"},     {0x80004005, "DD_GENERIC"},
    {0x8007000E, "DD_OutMemory\n"},     {0x80070057, "DD_INVALIDPARAMS"},
    {0x8876006E, "DD_INVALIDCLIPLIST"}, {0x88760078, "DD_INVALIDMODE\n"},
    {0x88760082, "DD_INVALIDOBJECT"},   {0x88760096, "DD_INVALIDRECT"},
    {0x887600B4, "DD_NOALPHAHW"},       {0x887600CD, "DD_NOCLIPLIST"},
    {0x887600E1, "DD_NOEXC\n"},         {0x887600FA, "DD_NOMIRRORHW"},
    {0x88760118, "DD_NORASTEROPHW"},    {0x887601AE, "DD_SURFACEBUSY"},
    {0x887601C2, "DD_SURFACELOST"},     {0x8876021C, "DD_WASSTILLDRAWING\n"},
    {0x8876023F, "DD_NOBLTHW"},         {0x88760240, "DD_NODDROPSHW"},
};
constexpr char kUnknownDirectDraw[] = "DD_Not in Tovrak's List:)";

constexpr ErrorName kDirectInputNames[] = {
    {0x80004002, "DIERR_NOINTERFACE\n"},        {0x80004005, "DIERR_GENERIC\n"},
    {0x80040154, "DIERR_DEVICENOTREG\n"},       {0x80040201, "DIERR_DEVICEFULL\n"},
    {0x80040202, "DIERR_MOREDATA\n"},           {0x80070002, "DIERR_NOTFOUND\n"},
    {0x80070005, "DIERR_HANDLEEXISTS\n"},       {0x8007000C, "DIERR_NOTACQUIRED\n"},
    {0x8007000E, "DIERR_OUTOFMEMORY\n"},        {0x80070015, "DIERR_NOTINITIALIZED\n"},
    {0x8007001E, "DIERR_INPUTLOST\n"},          {0x80070057, "DIERR_INVALIDPARAM\n"},
    {0x800700AA, "DIERR_ACQUIRED\n"},           {0x80070481, "DIERR_BETADIRECTINPUTVEZSION\n"},
    {0x800704DF, "DIERR_ALREADYINITIALIZED\n"},
};
constexpr char kUnknownDirectInput[] = "DIERR_Not in Tovrak's list\n";

template <size_t N>
const char* Find(const ErrorName (&table)[N], uint32_t code, const char* unknown) {
  for (const ErrorName& entry : table)
    if (entry.Code == code) return entry.Name;
  return unknown;
}

void LogName(const char* name) { LogText(name, std::strlen(name)); }

void LogReason(const std::string& reason) {
  if (reason.empty()) return;
  const std::string line = reason + "\n";
  LogText(line.c_str(), line.size());
}

}  // namespace

uint32_t DisplayFailureCode(DisplayFailure failure) {
  switch (failure) {
    case DisplayFailure::NoVideo:
      return 0x80004001;  // DD_UNSUPPORTED: no display at all
    case DisplayFailure::NoDriver:
      return 0x88760082;  // DD_INVALIDOBJECT: nothing answers
    case DisplayFailure::NoWindow:
      return 0x88760078;  // DD_INVALIDMODE: the mode not set
    case DisplayFailure::NoRenderer:
      return 0x88760240;  // DD_NODDROPSHW: nothing draws
    case DisplayFailure::NoSurfaces:
      return 0x8007000E;  // DD_OutMemory: surfaces not made
  }
  return 0x80004005;  // DD_GENERIC
}

uint32_t InputFailureCode(InputFailure failure) {
  switch (failure) {
    case InputFailure::NoJoystickDriver:
      return 0x80070015;  // DIERR_NOTINITIALIZED
    case InputFailure::JoystickNotOpened:
      return 0x80004005;  // DIERR_GENERIC
  }
  return 0x80004005;
}

const char* DirectDrawErrorName(uint32_t code) {
  return Find(kDirectDrawNames, code, kUnknownDirectDraw);
}

const char* DirectInputErrorName(uint32_t code) {
  return Find(kDirectInputNames, code, kUnknownDirectInput);
}

void LogDirectDrawError(uint32_t code) { LogName(DirectDrawErrorName(code)); }

void LogDirectInputError(uint32_t code) { LogName(DirectInputErrorName(code)); }

std::string DisplayFailureText(DisplayFailure failure, const std::string& reason) {
  const uint32_t code = DisplayFailureCode(failure);
  char head[48];
  std::snprintf(head, sizeof head, "Direct Draw Init Failed (%08" PRIx32 ")", code);
  std::string name = DirectDrawErrorName(code);
  if (!name.empty() && name.back() == '\n') name.pop_back();
  return std::string(head) + "\n" + name + (reason.empty() ? "" : ": " + reason);
}

void ReportDisplayFailure(DisplayFailure failure, const std::string& reason) {
  LogReason(reason);
  LogDirectDrawError(DisplayFailureCode(failure));
  PlatformMessageBox(DisplayFailureText(failure, reason).c_str(), "ERROR");
}

void LogInputFailure(InputFailure failure, const std::string& reason) {
  LogReason(reason);
  LogDirectInputError(InputFailureCode(failure));
}
