// General topics and index entries of the Shapes library documentation.
// This header holds no code.

//DOC_DEFINE_GENERAL_START
//Name: Overview
//\\
//Text: Shapes is a small C++ library for plane figures.
//It measures circles, rectangles, squares and polygons, places them on a
//canvas and draws them in color.
//<p>Start with Getting started, then read Coordinate system to learn how
//positions and sizes are measured. Every figure derives from Shape, which
//in turn is a Drawable.
//\\
//See Also: Getting started, Coordinate system, Colors and drawing
//\\
//DOC_DEFINE_GENERAL_END

//DOC_DEFINE_GENERAL_START
//Name: Getting started
//\\
//File: GettingStarted.html
//\\
//Text: Create a Canvas, add a few shapes to it and draw them all:
//<p><code>Canvas canvas(640, 480);<br>
//canvas.Add(std::make_unique&lt;Circle&gt;(Point{100, 100}, 40));<br>
//canvas.Add(std::make_unique&lt;Square&gt;(Point{200, 50}, 80));<br>
//canvas.DrawAll();</code>
//<p>TotalArea then tells how much of the canvas the shapes cover, and
//Distance measures the gap between two points.
//\\
//See Also: Overview, Canvas, Circle, Square
//\\
//DOC_DEFINE_GENERAL_END

//DOC_DEFINE_GENERAL_START
//Name: Coordinate system
//\\
//File: CoordinateSystem.html
//\\
//Text: Positions are given in canvas units. The origin lies in the top
//left corner of the canvas; x grows to the right and y grows downwards.
//<p>The origin of a shape is the top left corner of its bounding box, except
//for a Circle, whose origin is its center. Canvas::Scale turns canvas
//units into pixels when the canvas is drawn.
//\\
//See Also: Point, Shape::Origin, Canvas::Scale
//\\
//DOC_DEFINE_GENERAL_END

//DOC_DEFINE_GENERAL_START
//Name: Colors and drawing
//\\
//File: ColorsAndDrawing.html
//\\
//Text: Every shape is drawn with an outline color and a fill color. Colors
//are written as hex triples such as #FF8000 or by name (red, green, blue,
//black, white); ParseColor reads both forms and ColorToString writes the
//hex form back.
//\\
//See Also: Color, ParseColor, ColorToString, Drawable::Draw
//\\
//DOC_DEFINE_GENERAL_END

//DOC_DEFINE_INDEX_START
//Name: origin
//\\
//File: CoordinateSystem.html
//\\
//ReplaceString: <a href="CoordinateSystem.html">origin</a>
//\\
//DOC_DEFINE_INDEX_END

//DOC_DEFINE_INDEX_START
//Name: bounding box
//\\
//File: Drawable_BoundingBox.html
//\\
//ReplaceString: <a href="Drawable_BoundingBox.html">bounding box</a>
//\\
//DOC_DEFINE_INDEX_END

//DOC_DEFINE_INDEX_START
//Name: hex triple
//\\
//File: ColorsAndDrawing.html
//\\
//ReplaceString: <a href="ColorsAndDrawing.html">hex triple</a>
//\\
//DOC_DEFINE_INDEX_END
