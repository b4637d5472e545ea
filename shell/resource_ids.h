// Resource ids of Scrivo.exe. String ids are the product's string numbers.
#pragma once

#define kMainIconId L"MAINICON"
#define kFirstDocumentId 0xFF00
