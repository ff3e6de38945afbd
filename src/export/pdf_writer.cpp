// The PDF writer: objects, offsets and the cross-reference table.
#include <cstring>

#include "export/print_writer.h"
#include "export/settings.h"
#include "export/writers.h"

// The position counts what each piece should take, so that the offsets can
// be known before anything is written; actual offsets come from the bytes
// really handed to the file, and the two agree because every number is
// printed in its nominal width (the tests go over rectangles and scales).

void pdf_put(PrintFile& file, const char* text) {
    print_text(file, text);
    export_state.pdf.position += static_cast<long>(std::strlen(text));
}

void pdf_begin_object(PrintFile& file, const char* text) {
    PdfPosition& pdf = export_state.pdf;
    const int number = pdf.next_object;
    const long actual = file.bytes_written;
    print_format(file, "%d 0 obj ", number);
    if (number >= 1 && number <= 6) {
        pdf.object_offset[number] = pdf.position;
        pdf.actual_offset[number] = actual;
    }
    pdf.position += 8;
    ++pdf.next_object;
    pdf_put(file, text);
}

void pdf_put_number(PrintFile& file, const char* format, double value, int nominal_width) {
    print_format(file, format, value);
    export_state.pdf.position += nominal_width;
}

void write_pdf_body(PrintFile& file, const Rect& area) {
    const auto [x0, y0, x1, y1] = area;
    PdfPosition& pdf = export_state.pdf;
    pdf = PdfPosition{};
    const int width = image_width(x0, x1);
    const int rows = image_rows(y0, y1);
    const PagePlacement page = page_placement(width, rows);
    // The image length goes before the data, so the image is encoded
    // first, into memory: the file is held whole until it is written
    // anyway, and encoding it twice cost more than the rest of the file.
    PrintFile image;
    const long length = emit_colour_image(area, &image);
    print_drain(image);

    static const unsigned char header[15] = {'%', 'P', 'D', 'F', '-', '1', '.', '2',
                                             '\n', '%', 0xC7, 0xEC, 0x8F, 0xA2, '\n'};
    print_put(file, header, sizeof header);
    pdf.position += sizeof header;

    pdf_begin_object(file, "<</Type /Catalog /Pages 2 0 R>> endobj\n");
    pdf_begin_object(file, "<</Type /Pages /Kids [3 0 R] /Count 1>> endobj\n");
    pdf_begin_object(file, "<</Type /Page /MediaBox [0 0 612 792] /Parent 2 0 R /Resources\n");
    pdf_put(file, "<</ProcSet [/PDF /ImageB] /XObject <</R6 6 0 R>> >> /Contents 4 0 R>> endobj\n");

    pdf_begin_object(file, "<</Length 40>> stream\n");
    pdf_put(file, " q ");
    pdf_put_number(file, "%6.1f", page.width, 6);
    pdf_put(file, " 0 0 ");
    pdf_put_number(file, "%6.1f", page.height, 6);
    pdf_put(file, " 100 ");
    pdf_put_number(file, "%3.0f", page.bottom, 3);
    pdf_put(file, " cm /R6 Do Qendstream endobj\n");

    pdf_begin_object(file, "<</Producer (Cuprolay)>> endobj\n");

    pdf_begin_object(file, "<</Type /XObject /Name /R6 /Subtype /Image /Length ");
    pdf_put_number(file, "%6.0f", static_cast<double>(length + 1), 6);
    pdf_put(file, " /Filter /RunLengthDecode ");
    pdf_put(file, "\n/ColorSpace ");
    pdf_put(file, INDEXED_PALETTE);
    pdf_put(file, " /Width \n");
    pdf_put_number(file, "%4.0f", 2.0 * width, 4);
    pdf_put(file, " /Height ");
    pdf_put_number(file, "%4.0f", 2.0 * rows, 4);
    pdf_put(file, " /BitsPerComponent 4>> stream\n");

    print_put(file, image.content.data(), image.content.size());
    print_text(file, "\n");
    pdf.position += length + 1;
    pdf_put(file, "endstream endobj\n");

    pdf.xref_offset = pdf.position;
    pdf.actual_xref_offset = file.bytes_written;
    pdf_put(file, "xref 0 7\n0000000000 65535 f \n");
    for (int object = 1; object <= 6; ++object) {
        print_format(file, "%010ld 00000 n \n", pdf.actual_offset[object]);
        pdf.position += 20;
    }
    pdf_put(file, "trailer <</Size 7 /Root 1 0 R /Info 5 0 R>>\n");
    print_format(file, "startxref\n%ld\n%%%%EOF\n", pdf.actual_xref_offset);
}

int write_pdf(const Rect& area) {
    return run_print_writer(area, ".pdf", write_pdf_body);
}
