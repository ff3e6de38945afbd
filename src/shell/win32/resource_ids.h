// The ids the resource script and the Windows backend share.
#pragma once

#define IDC_PROMPT_LABEL 200
#define IDC_TEXT_FIELD 150
#define IDC_SECOND_FIELD 151
#define IDC_FORMAT_GROUP 17
#define IDC_FORMAT_PDF 250
#define IDC_FORMAT_PS1 251
#define IDC_FORMAT_GERBER 252
#define IDC_FORMAT_PS2 253
#define IDC_VSCALE_LABEL 201
#define IDC_MANUAL_VIEW 400
