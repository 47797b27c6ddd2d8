#include "ui/png_file.h"

#include <wincodec.h>

#include "core/file_system.h"
#include "core/win_handles.h"
#include "core/win_system.h"

namespace quorvath {

namespace {

HRESULT EncodePng(IWICImagingFactory& factory, IWICBitmapSource* picture, IStream* stream) {
  ComPtr<IWICBitmapEncoder> encoder;
  HRESULT result = factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Receive());
  if (SUCCEEDED(result)) result = encoder->Initialize(stream, WICBitmapEncoderNoCache);
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.Receive(), options.Receive());
  if (SUCCEEDED(result)) result = frame->Initialize(options.get());
  UINT width = 0, height = 0;
  if (SUCCEEDED(result)) result = picture->GetSize(&width, &height);
  if (SUCCEEDED(result)) result = frame->SetSize(width, height);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
  if (SUCCEEDED(result)) result = frame->WriteSource(picture, nullptr);
  if (SUCCEEDED(result)) result = frame->Commit();
  if (SUCCEEDED(result)) result = encoder->Commit();
  return result;
}

}  // namespace

HRESULT WritePngFile(HBITMAP picture, const std::wstring& path) {
  ComPtr<IWICImagingFactory> factory;
  HRESULT result = CreateComInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory,
                                     reinterpret_cast<void**>(factory.Receive()));
  ComPtr<IWICBitmap> source;
  if (SUCCEEDED(result)) {
    result =
        factory->CreateBitmapFromHBITMAP(picture, nullptr, WICBitmapIgnoreAlpha, source.Receive());
  }
  bool opened = false;
  {
    ComPtr<IWICStream> stream;
    if (SUCCEEDED(result)) result = factory->CreateStream(stream.Receive());
    if (SUCCEEDED(result)) {
      result = stream->InitializeFromFilename(ExtendedLengthPath(path).c_str(), GENERIC_WRITE);
      opened = SUCCEEDED(result);
    }
    if (SUCCEEDED(result)) result = EncodePng(*factory.get(), source.get(), stream.get());
  }
  // The stream has closed the file by now.
  if (FAILED(result) && opened) DeleteOneFile(path);
  return result;
}

}  // namespace quorvath
