#include "cli/RenderCommand.h"

#include <iostream>

#include "cli/ProgressLine.h"
#include "cli/job/JobOptions.h"
#include "cli/job/JobRunner.h"

namespace tessaly::cli {

const char* const kRenderHelp = R"(Usage: tessaly-cli render [PROJECT.eco] [OPTIONS] -o FILE

Renders a cover headless and writes the picture. With a project (named right
after the verb) the project is opened first, as "Open eCover" does, its
images unpacked into a temporary folder; the options below then change it.

Project
      PROJECT.eco          the cover project to render (or --project FILE)
      --template T.tem     a template applied on top of the project (or of the
                           cover type): type, options, cover position, camera
                           and light

Output
  -o, --output FILE        picture to write (required); -o - writes it to
                           standard output (then --format is required and
                           nothing else goes there)
      --format FMT         bmp, jpg or png (default: from FILE's extension)
      --size SIZE          picture size: WxH in pixels (default 800x600, each
                           side up to 30000), or a print size at --dpi:
                           6x9in, 210x297mm, 10x15cm (rounded to whole pixels)
      --dpi N              resolution written into the file, 1 to 10000 (PNG
                           pHYs, JPEG JFIF density, BMP pixels per metre)
      --quality N          JPEG quality, 1 to 100 (default 80)
      --transparent        transparent background: no background colour, no
                           floor surface; the shadow and the reflection keep
                           partial alpha. PNG, or BMP with --color-depth 32
      --passes N           antialiasing passes, 1 (off) to 8 (default 8)
      --color-depth BITS   colour depth 16, 24 or 32 (default 24); 16 reduces
                           colours to 5-6-5 in every format
      --tile-size N        draw in tiles of N x N pixels, 16 to 16384 (default:
                           chosen by the program; large pictures are always
                           drawn in tiles and written row by row)
      --quiet              no progress line (shown on a terminal's standard
                           error for renders that take over a second)
      --log FILE           write the OpenGL driver's capabilities log to FILE
      --model FILE         draw this model file (bound like a standard box)
                           instead of a cover type of the catalogue

Cover type
      --type ID            stdbox (default), thinbox, widebox, cbox, flatbook,
                           roundedbook, roundedbbook, magazine, spiral1, spiral2,
                           cdcase, dvdcase, 2bookbox, 3bookbox, 4bookbox
      --width F, --height F, --depth F
                           size factors of the customizable box (cbox), 0.1 to 2,
                           taken to the nearest step of its dimension bars
      --case-angle DEG     opening of a CD or DVD case's lid, 0 to 180
      --spine-color C      colour of the flat book's spine (default #FFFFFF)
      --spiral-color C     colour of a notebook's wire spiral (default #FFFFFF)

Images (any picture format the program reads; placeholders when not given)
      --image1 FILE        face image 1: the front of boxes, books, notebooks,
                           the magazine and cases; the top of a box of books
      --image2 FILE        face image 2: a box's side, a book's or case's back,
                           the side of a box of books
      --image3 FILE        face image 3: a box's top, a book's spine, a disc's
                           label, the back of a box of books
      --front, --side, --top FILE
                           the same three slots by their standard box names
      --bookN-front FILE, --bookN-back FILE, --bookN-side FILE
                           the images of book N (1 to 4) in a box of books

Camera
      --distance D         camera distance, 3.5 to 25 (default 5)
      --camera-rotate A    camera turn about the vertical axis, 0 to 360
      --camera-lift A      camera tilt, 0 to 90 degrees (default 0)
      --elevation E        vertical shift, -0.75 to 0.75
      --strafe S           sideways shift, -1 to 1
      --front-back S       shift along the view axis, -1 to 1
      --fov DEG            vertical field of view, 20 to 110 (default 45)

Cover
      --cover-rotate A     turn of the cover about the vertical axis, 0 to 360
      --roll-x A           roll of the cover about the X axis, 0 to 360
      --roll-z A           roll of the cover about the Z axis, 0 to 360
      --cover-lift H       height of the cover above the floor, 0 to 2

Light, floor and background
      --light X,Y,Z        light direction (default 0,4,4); X -10..10, Y and Z 0..20
      --light-color C      light colour (default #FFFFFF)
      --ambient A          extra ambient light, 0 to 1 (default 0)
      --reflection R       reflection strength, 0 (none, default) to 1 (high)
      --shadow on|off      draw the shadow (default on)
      --shadow-darkness S  darkening of the shadowed floor, 0 to 0.5 (default 0.1)
      --background C       background colour (default #FFFFFF)
      --floor-color C      floor colour (default #FFFFFF)
      --floor-texture on|off  the floor picture (default on)
      --axes               draw the coordinate axes
      --light-marker       draw the yellow marker at the light position

Colours are #RRGGBB or r,g,b with components 0 to 255.

Examples
  tessaly-cli render --transparent -o cover.png                    PNG with alpha
  tessaly-cli render --size 6x9in --dpi 300 -o print.jpg --quality 95
  tessaly-cli render --size 12000x9000 -o poster.png               drawn in tiles
  tessaly-cli render --format png -o - > cover.png                 standard output
Exit status: 0 written, 1 the picture could not be made or written, 2 bad usage.
)";

int RenderCommand(Arguments& args, const std::string& project) {
    const bool quiet = args.TakeFlag("--quiet");
    JobRecord job = JobFromArguments(args);
    args.ExpectNothingLeft();
    if (!project.empty()) job.project = project;
    try {
        CheckJob(job, "--");
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        std::cerr << "render: " << e.what() << '\n';
        return 1;
    }
    // A batch of one, with a progress line over its tiles.
    JobRunner runner;
    ProgressLine progress(quiet);
    runner.TileDone = [&](int done, int total) {
        progress.Update(done, total);
        return true;
    };
    try {
        runner.Run(job);
        progress.Done();
    } catch (const JobFailure& e) {
        std::cerr << "render: " << e.what() << '\n';
        return 1;
    } catch (const RunnerFailure& e) {
        std::cerr << "render: " << e.what() << '\n';
        return 1;
    }
    // Standard output holds the picture and nothing else.
    if (job.output != "-") std::cout << job.output << '\n';
    return 0;
}

}  // namespace tessaly::cli
