#version 110
// Plain coloured strips in normalised device coordinates.
void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    gl_FrontColor = gl_Color;
}
