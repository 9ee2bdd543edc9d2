// A documented class for the consumer project.
//DOC_DEFINE_CLASS_START
//Name: Shape
//\\
//Description: A figure that can be drawn.
//\\
//DOC_DEFINE_CLASS_END
class Shape {};
