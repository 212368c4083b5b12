#include "render/ModelDraw.h"

#include "core/model/DiscCases.h"
#include "core/model/EmoModel.h"
#include "render/GL.h"
#include "render/Textures.h"

namespace tessaly {

namespace {

void SetMaterial(const TobjectEMO& object) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, object.Ambient.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, object.Diffuse.data());
}

}  // namespace

void DrawObject(TobjectEMO& object) {
    glPushMatrix();
    glRotatef(object.AngleY, 0.0f, 1.0f, 0.0f);
    if (object.Textured) {
        glEnable(GL_TEXTURE_2D);
        BindFaceTexture(object.Texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    SetMaterial(object);
    glEnable(GL_NORMALIZE);
    glDepthFunc(GL_LEQUAL);

    const auto vertexCount = static_cast<std::int32_t>(object.Vertices.size());
    if (object.Fade) {
        // Lay the object down flat in the fade colour; the lit draw below is
        // blended over it with the per-vertex alpha.
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        const Rgba& fade = TmodelEMO::FadeColor();
        glColor3f(fade[0], fade[1], fade[2]);
        glBegin(GL_TRIANGLES);
        for (const FaceEMO& face : object.Faces) {
            for (std::int32_t i : face.Corners) {
                if (i >= 0 && i < vertexCount) glVertex3fv(object.Vertices[i].data());
            }
        }
        glEnd();
    }

    glEnable(GL_BLEND);
    if (object.Textured)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);

    glBegin(GL_TRIANGLES);
    for (const FaceEMO& face : object.Faces) {
        for (int corner = 0; corner < 3; ++corner) {
            const std::int32_t i = face.Corners[corner];
            if (i < 0 || i >= vertexCount) continue;  // the loader refuses these
            glNormal3fv(face.Normals[corner].data());
            if (object.Textured) glTexCoord2fv(object.TexCoordAt(i).data());
            const float alpha = object.CornerAlpha(i);
            object.Ambient[3] = alpha;
            object.Diffuse[3] = alpha;
            SetMaterial(object);
            glVertex3fv(object.Vertices[i].data());
        }
    }
    glEnd();

    glDepthFunc(GL_LESS);
    if (object.Textured) glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void Draw(TmodelEMO& model) {
    glPushMatrix();
    glScalef(model.ScaleX, model.ScaleY, model.ScaleZ);
    for (TobjectEMO& object : model.Objects)
        if (!IsClearSleeve(object.Name)) DrawObject(object);
    glPopMatrix();
}

}  // namespace tessaly
