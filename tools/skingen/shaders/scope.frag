#version 110
// Scope view: phosphor light. A bright core out to shape.z and a soft halo
// that reaches nothing at the shape's edge; a flat fill (shape 0) is the
// colour itself. Drawn added to what lies beneath.
varying vec3 shape;

void main()
{
    float d = min(length(shape.xy), 1.0);
    float core = 1.0 - smoothstep(shape.z * 0.7, shape.z, d);
    float halo = (1.0 - d) * (1.0 - d);
    gl_FragColor = vec4(gl_Color.rgb, gl_Color.a * (0.75 * core + 0.25 * halo));
}
